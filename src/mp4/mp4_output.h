// NAME.mp4, for phones, TVs and photo libraries: the sound as AAC, the dates
// as a timed-text track, the index first, and Apple's creation date.
#pragma once

#include <string>
#include <vector>

#include "ffmpeg/ffmpeg_job.h"

namespace zelvok {

// ffmpeg's output options for the MP4, after the streams are chosen.
void add_mp4_output(const FfmpegJob& job, std::vector<std::string>* command);

}  // namespace zelvok
