#include "ffmpeg/make_with_ffmpeg.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string_view>
#include <vector>

#include "ffmpeg/command.h"
#include "messages/messages.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/process.h"
#include "platform/terminal.h"
#include "platform/whole_file.h"

namespace zelvok {
namespace {

// ffmpeg's progress: the bytes written so far, which a copy of the clip's
// packets makes about as many as the clip has; the frames encoded, for a
// picture re-encoded; and the last report.
constexpr std::string_view kProgressSize = "total_size=";
constexpr std::string_view kProgressFrame = "frame=";
constexpr std::string_view kProgressEnd = "progress=end";
constexpr std::size_t kKeptLines = 3;      // of ffmpeg's errors, for the failure message
constexpr std::size_t kLongestLine = 500;  // bytes kept and shown of each

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

// How far the job has come, by the frames encoded when the picture is, else
// by the bytes written against the clip's.
struct Measure {
  std::string_view key;
  double whole;
};

void take_line(const std::string& line, const Measure& measure, FfmpegOutput* output) {
  if (!is_progress_line(line)) {
    if (!line.empty()) {
      output->errors.push_back(line);
      if (output->errors.size() > kKeptLines) {
        output->errors.pop_front();
      }
    }
  } else if (line == kProgressEnd) {
    output->percent = 100;
  } else if (line.starts_with(measure.key)) {
    const double done = std::strtod(line.c_str() + measure.key.size(), nullptr);
    output->percent = static_cast<int>(std::clamp(done * 100 / measure.whole, 0.0, 99.0));
  }
}

Measure measure_of(const FfmpegJob& job) {
  if (!job.drawn_cues.empty() && job.frames != 0) {
    return {kProgressFrame, static_cast<double>(job.frames)};
  }
  return {kProgressSize, static_cast<double>(std::max<std::uint64_t>(file_size(job.clip), 1))};
}

// Reads ffmpeg's output to its end, showing how far it has come on a
// terminal.
FfmpegOutput follow_output(ChildProcess* child, const FfmpegJob& job, const Console& console) {
  const Message& progress = container_lines(job.container).progress;
  const bool shown = output_is_terminal() && console.stream == stdout;
  const Measure measure = measure_of(job);
  FfmpegOutput output;
  int last = -1;
  std::string line;
  while (read_line(child, kLongestLine, &line)) {
    take_line(line, measure, &output);
    if (shown && output.percent != last) {
      print(console, progress, std::to_string(output.percent) + "%");
      (void)std::fflush(console.stream);
      last = output.percent;
    }
  }
  if (last >= 0) {
    print(console, progress, "    ");  // the line cleared for what follows
  }
  return output;
}

// ffmpeg run on the cues into `files->output`; true when it succeeded.
bool run_ffmpeg(const std::string& ffmpeg, const FfmpegJob& job, JobFiles* files,
                const Console& console, FfmpegOutput* output) {
  files->cues = write_temporary_beside(job.target, job.cues);
  if (!job.drawn_cues.empty()) {
    files->drawn_cues = write_temporary_beside(job.target, job.drawn_cues);
  }
  bool succeeded = false;
  if (!files->cues.empty() && (job.drawn_cues.empty() || !files->drawn_cues.empty())) {
    ChildProcess child = start_process(ffmpeg_command(ffmpeg, job, *files));
    if (child.started) {
      *output = follow_output(&child, job, console);
      succeeded = finish_process(&child) == 0;
    }
  }
  for (const std::string* name : {&files->cues, &files->drawn_cues}) {
    if (!name->empty()) {
      remove_temporary(*name);
    }
  }
  return succeeded;
}

}  // namespace

const ContainerLines& container_lines(Container container) {
  static const ContainerLines kMkv{".mkv",
                                   messages::kMkvMade,
                                   messages::kMkvThere,
                                   messages::kMkvPlaceTaken,
                                   messages::kMkvFailed,
                                   messages::kMkvProgress,
                                   messages::kMkvSummary};
  static const ContainerLines kMp4{".mp4",
                                   messages::kMp4Made,
                                   messages::kMp4There,
                                   messages::kMp4PlaceTaken,
                                   messages::kMp4Failed,
                                   messages::kMp4Progress,
                                   messages::kMp4Summary};
  return container == Container::kMkv ? kMkv : kMp4;
}

std::string find_ffmpeg() {
  const char* named = std::getenv("ZELVOK_FFMPEG");
  return find_program(named != nullptr && *named != '\0' ? named : "ffmpeg");
}

bool make_with_ffmpeg(const std::string& ffmpeg, const FfmpegJob& job, const Console& console) {
  JobFiles files;
  const int file = create_temporary_beside(job.target, &files.output);
  FfmpegOutput output;
  bool made = false;
  if (file >= 0) {
    close_file(file);
    made = run_ffmpeg(ffmpeg, job, &files, console, &output);
    // Only a regular file is moved into place, and a failure leaves nothing.
    if (made) {
      made = put_temporary_in_place(files.output, job.target, job.replace);
    } else {
      remove_temporary(files.output);
    }
  }
  if (!made) {
    print(console, container_lines(job.container).failed, job.target);
    for (const std::string& line : output.errors) {
      print(console, messages::kFfmpegErrorLine, line);
    }
  }
  return made;
}

}  // namespace zelvok
