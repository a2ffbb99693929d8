// NAME.mkv: the clip's sound copied as it is, the dates as a SubRip track.
#pragma once

#include <string>
#include <vector>

#include "ffmpeg/ffmpeg_job.h"

namespace zelvok {

// ffmpeg's output options for the MKV, after the streams are chosen.
void add_mkv_output(const FfmpegJob& job, std::vector<std::string>* command);

}  // namespace zelvok
