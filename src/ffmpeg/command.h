// The command that has ffmpeg make a clip's MKV or MP4.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ffmpeg/ffmpeg_job.h"

namespace zelvok {

// The files of one job, by the names ffmpeg gets.
struct JobFiles {
  std::string cues;        // the subtitle file's text
  std::string drawn_cues;  // the cues drawn into the picture; empty when none are
  std::string output;      // the temporary the file is written to
};

// ffmpeg's arguments, its own path first.
std::vector<std::string> ffmpeg_command(const std::string& ffmpeg, const FfmpegJob& job,
                                        const JobFiles& files);

// 90 kHz ticks as seconds with six decimals, as ffmpeg takes a time, after
// `sign`.
std::string seconds_of(std::uint64_t pts, std::string_view sign = {});

// A path as ffmpeg reads it: always a file, never a protocol ("12:30/",
// "file:cam", "http:x" are names like any other).
std::string file_url(const std::string& path);

}  // namespace zelvok
