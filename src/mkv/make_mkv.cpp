#include "mkv/make_mkv.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string_view>
#include <vector>

#include "messages/messages.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/process.h"
#include "platform/terminal.h"
#include "platform/whole_file.h"

namespace zelvok {
namespace {

// ffmpeg's progress: the bytes written so far, which a copy of the clip's
// packets makes about as many as the clip has; and the last report.
constexpr std::string_view kProgressSize = "total_size=";
constexpr std::string_view kProgressEnd = "progress=end";
constexpr std::size_t kKeptLines = 3;      // of ffmpeg's errors, for the failure message
constexpr std::size_t kLongestLine = 500;  // bytes kept and shown of each
// ffmpeg reads each of two inputs in a thread of its own: a deeper queue lets
// the clip's reader run ahead, and the copy costs little more than one of the
// clip alone.
constexpr const char* kQueuedPackets = "4096";

// 90 kHz ticks as seconds with six decimals, as ffmpeg takes a time, after
// `sign`.
std::string seconds_of(std::uint64_t pts, std::string_view sign = {}) {
  const std::uint64_t microseconds = (pts * 100 + 4) / 9;  // rounded to the nearest
  std::string text(sign);
  text += std::to_string(microseconds / 1000000);
  text += '.';
  text.append(std::to_string(1000000 + microseconds % 1000000), 1, 6);  // six digits
  return text;
}

// A path as ffmpeg reads it: always a file, never a protocol ("12:30/",
// "file:cam", "http:x" are names like any other).
std::string file_url(const std::string& path) {
  return "file:" + path;
}

// The clip's video and sound copied unchanged (the camera's caption stream
// and any data stream left out), the subtitles as a track titled "Recording
// date" that the viewer turns on; the video and sound are named default
// tracks, as some players play no track that is not. The subtitles start
// where the clip's first frame is shown on its own clock: a sound that starts
// before the picture, or frames presented before the first one in the file,
// move nothing. Then the whole timeline is moved so that the first frame
// shown is at zero (or, where the sound starts before it, the sound).
std::vector<std::string> mux_command(const std::string& ffmpeg, const MkvJob& job,
                                     const std::string& cues, const std::string& temporary) {
  return {ffmpeg,
          "-nostdin",
          "-hide_banner",
          "-loglevel",
          "error",
          "-nostats",
          "-progress",
          "pipe:1",
          "-copyts",
          "-thread_queue_size",
          kQueuedPackets,
          "-i",
          file_url(job.clip),
          "-itsoffset",
          seconds_of(job.first_shown_pts),
          "-thread_queue_size",
          kQueuedPackets,
          "-f",
          job.form == SubtitleForm::kWebVtt ? "webvtt" : "srt",
          "-i",
          file_url(cues),
          "-map",
          "0:v",
          "-map",
          "0:a?",
          "-map",
          "1:0",
          "-c",
          "copy",
          "-c:s",
          "srt",
          "-metadata:s:s:0",
          "title=Recording date",
          "-disposition:s:0",
          "0",
          "-disposition:v:0",
          "default",
          "-disposition:a",
          "default",
          "-output_ts_offset",
          seconds_of(job.first_shown_pts, "-"),
          "-f",
          "matroska",
          "-y",
          file_url(temporary)};
}

// A line of ffmpeg's progress report ("key=value", the key in lower case,
// digits and '_'), as opposed to one of its errors.
bool is_progress_line(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals != std::string_view::npos && equals > 0 &&
         std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(equals), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
         });
}

// What ffmpeg said: its last error lines, and how far it has come.
struct FfmpegOutput {
  std::deque<std::string> errors;  // the last kKeptLines of them
  int percent = -1;                // -1 before the first report
};

void take_line(const std::string& line, std::uint64_t clip_bytes, FfmpegOutput* output) {
  if (!is_progress_line(line)) {
    if (!line.empty()) {
      output->errors.push_back(line);
      if (output->errors.size() > kKeptLines) {
        output->errors.pop_front();
      }
    }
  } else if (line == kProgressEnd) {
    output->percent = 100;
  } else if (line.starts_with(kProgressSize)) {
    const double written = std::strtod(line.c_str() + kProgressSize.size(), nullptr);
    output->percent =
        static_cast<int>(std::clamp(written * 100 / static_cast<double>(clip_bytes), 0.0, 99.0));
  }
}

// Reads ffmpeg's output to its end, showing how far it has come on a
// terminal.
FfmpegOutput follow_output(ChildProcess* child, const MkvJob& job, const Console& console) {
  const bool shown = output_is_terminal() && console.stream == stdout;
  const std::uint64_t clip_bytes = std::max<std::uint64_t>(file_size(job.clip), 1);
  FfmpegOutput output;
  int last = -1;
  std::string line;
  while (read_line(child, kLongestLine, &line)) {
    take_line(line, clip_bytes, &output);
    if (shown && output.percent != last) {
      print(console, messages::kMkvProgress, std::to_string(output.percent) + "%");
      (void)std::fflush(console.stream);
      last = output.percent;
    }
  }
  if (last >= 0) {
    print(console, messages::kMkvProgress, "    ");  // the line cleared for what follows
  }
  return output;
}

// The cues in a temporary file beside the MKV; empty when it cannot be had.
std::string write_cues(const MkvJob& job) {
  std::string cues;
  const int file = create_temporary_beside(job.target, &cues);
  if (file < 0) {
    return {};
  }
  const bool written = write_fully(file, job.cues.data(), job.cues.size());
  if (!close_file(file) || !written) {
    remove_temporary(cues);
    return {};
  }
  return cues;
}

// ffmpeg run on the cues into the temporary MKV; true when it succeeded.
bool run_ffmpeg(const std::string& ffmpeg, const MkvJob& job, const std::string& temporary,
                const Console& console, FfmpegOutput* output) {
  const std::string cues = write_cues(job);
  if (cues.empty()) {
    return false;
  }
  ChildProcess child = start_process(mux_command(ffmpeg, job, cues, temporary));
  bool succeeded = false;
  if (child.started) {
    *output = follow_output(&child, job, console);
    succeeded = finish_process(&child) == 0;
  }
  remove_temporary(cues);
  return succeeded;
}

}  // namespace

std::string find_ffmpeg() {
  const char* named = std::getenv("ZELVOK_FFMPEG");
  return find_program(named != nullptr && *named != '\0' ? named : "ffmpeg");
}

bool make_mkv(const std::string& ffmpeg, const MkvJob& job, const Console& console) {
  std::string temporary;
  const int file = create_temporary_beside(job.target, &temporary);
  FfmpegOutput output;
  bool made = false;
  if (file >= 0) {
    close_file(file);
    made = run_ffmpeg(ffmpeg, job, temporary, console, &output);
    // Only a regular file is moved into place, and a failure leaves nothing.
    if (made) {
      made = put_temporary_in_place(temporary, job.target, job.replace);
    } else {
      remove_temporary(temporary);
    }
  }
  if (!made) {
    print(console, messages::kMkvFailed, job.target);
    for (const std::string& line : output.errors) {
      print(console, messages::kMkvFailedLine, line);
    }
  }
  return made;
}

}  // namespace zelvok
