// The dates drawn into the picture, as the camera's own display drew them:
// lower right, white with a dark outline, re-encoded as H.264 that keeps the
// picture's size, frame rate and fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ffmpeg/ffmpeg_job.h"
#include "model/clip_media.h"

namespace zelvok {

// What ffmpeg must have to draw the dates: the filter and the encoder.
inline constexpr std::string_view kDrawingFilter = "subtitles";
inline constexpr std::string_view kDrawingEncoder = "libx264";

// ffmpeg's options for the video: the cues in `drawn_cues` (SubRip on the
// clip's own clock) drawn in, then encoded.
void add_burned_video(const FfmpegJob& job, const std::string& drawn_cues,
                      std::vector<std::string>* command);

// The style of the drawn text for a picture: the text's size a twentieth of
// the picture's height, the margins right and below a thirtieth of it, in
// the picture's own pixels (on a canvas of 384 x 288 scaled to the picture
// where its size is not known).
std::string drawing_style(const Picture& picture);

// `value` as one value of a filter's options inside a filter graph, its
// special characters escaped at both levels.
std::string filter_escaped(std::string_view value);

}  // namespace zelvok
