// What an ffmpeg can do, as it lists its filters and encoders.
#pragma once

#include <string>

namespace zelvok {

// What drawing the dates needs that `ffmpeg` lacks: "subtitles" (the
// filter), "libx264" (the encoder), both joined by ", ", or empty when it
// has both. An ffmpeg that cannot be run lacks both.
std::string missing_for_drawing(const std::string& ffmpeg);

}  // namespace zelvok
