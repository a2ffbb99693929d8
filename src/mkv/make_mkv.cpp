#include "mkv/make_mkv.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

#include "folder/find_clips.h"
#include "messages/messages.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/process.h"
#include "platform/terminal.h"

namespace zelvok {
namespace {

// ffmpeg's progress: the bytes written so far, which a copy of the clip's
// packets makes about as many as the clip has; and the last report.
constexpr std::string_view kProgressSize = "total_size=";
constexpr std::string_view kProgressEnd = "progress=end";
constexpr std::size_t kKeptLines = 3;  // of ffmpeg's errors, for the failure message
// ffmpeg reads each of two inputs in a thread of its own: a deeper queue lets
// the clip's reader run ahead, and the copy costs little more than one of the
// clip alone.
constexpr const char* kQueuedPackets = "4096";

// 90 kHz ticks as seconds with six decimals, as ffmpeg takes a time.
std::string seconds_of(std::uint64_t pts) {
  const std::uint64_t microseconds = (pts * 100 + 4) / 9;  // rounded to the nearest
  std::string text = std::to_string(microseconds / 1000000);
  text += '.';
  text.append(std::to_string(1000000 + microseconds % 1000000), 1, 6);  // six digits
  return text;
}

// A hidden name beside `target` for what is made of it: ".NAME.mkv.part".
std::string hidden_beside(const std::string& target, std::string_view ending) {
  std::string name = ".";
  name += base_name(target);
  name += ending;
  return joined(folder_part(target), name);
}

// The clip's video and sound copied unchanged (the camera's caption stream
// and any data stream left out), the subtitles as a track titled "Recording
// date" that the viewer turns on; the video and sound are named default
// tracks, as some players play no track that is not. The clip keeps its own
// clock, and the subtitles start where its first frame is shown on it: a
// sound that starts before the picture, or frames presented before the first
// one in the file, move nothing.
std::vector<std::string> mux_command(const std::string& ffmpeg, const MkvJob& job,
                                     const std::string& temporary) {
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
          job.clip,
          "-itsoffset",
          seconds_of(job.first_shown_pts),
          "-thread_queue_size",
          kQueuedPackets,
          "-i",
          job.subtitles,
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
          "-f",
          "matroska",
          "-y",
          temporary};
}

// Shows how far ffmpeg has come, from its progress lines, on a terminal.
void follow_progress(ChildProcess* child, const MkvJob& job, const Console& console) {
  const bool shown = output_is_terminal() && console.stream == stdout;
  const std::uint64_t clip_bytes = std::max<std::uint64_t>(file_size(job.clip), 1);
  int last = -1;
  std::string line;
  while (read_line(child, &line)) {
    int percent = last;
    if (line == kProgressEnd) {
      percent = 100;
    } else if (line.starts_with(kProgressSize)) {
      const double written = std::strtod(line.c_str() + kProgressSize.size(), nullptr);
      percent =
          static_cast<int>(std::clamp(written * 100 / static_cast<double>(clip_bytes), 0.0, 99.0));
    }
    if (shown && percent != last) {
      print(console, messages::kMkvProgress, std::to_string(percent) + "%");
      (void)std::fflush(console.stream);
      last = percent;
    }
  }
  if (last >= 0) {
    print(console, messages::kMkvProgress, "    ");  // the line cleared for what follows
  }
}

// The last lines ffmpeg wrote to its standard error.
std::vector<std::string> last_lines(const std::string& errors) {
  std::ifstream in(errors, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty()) {
      lines.push_back(line);
    }
  }
  if (lines.size() > kKeptLines) {
    lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kKeptLines));
  }
  return lines;
}

}  // namespace

std::string find_ffmpeg() {
  const char* named = std::getenv("ZELVOK_FFMPEG");
  return find_program(named != nullptr && *named != '\0' ? named : "ffmpeg");
}

bool make_mkv(const std::string& ffmpeg, const MkvJob& job, const Console& console) {
  const std::string temporary = hidden_beside(job.target, ".part.mkv");
  const std::string errors = hidden_beside(job.target, ".part.log");
  keep_temporary_name(temporary);
  ChildProcess child = start_process(mux_command(ffmpeg, job, temporary), errors);
  bool made = false;
  if (child.started) {
    follow_progress(&child, job, console);
    made = finish_process(&child) == 0 && entry_kind(temporary) == EntryKind::kRegular &&
           move_into_place(temporary, job.target, job.replace);
  }
  if (!made) {
    (void)remove_file(temporary);
    print(console, messages::kMkvFailed, job.target);
    for (const std::string& line : last_lines(errors)) {
      print(console, messages::kMkvFailedLine, line);
    }
  }
  keep_temporary_name("");
  (void)remove_file(errors);
  return made;
}

}  // namespace zelvok
