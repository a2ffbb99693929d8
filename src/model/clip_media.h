// What a clip's stream holds besides its dates, as ffmpeg must be told it to
// copy or re-encode the clip: where its picture starts, its picture's shape,
// and its sound tracks.
#pragma once

#include <cstdint>
#include <vector>

#include "model/pts_clock.h"

namespace zelvok {

// The coded picture, as its sequence parameter set describes it.
struct Picture {
  std::uint32_t width = 0;   // pixels, after cropping
  std::uint32_t height = 0;  // pixels of the whole frame, both fields, after cropping
  bool interlaced = false;   // coded as fields or field pairs, not frames only
};

// One sound track, as the program map lists it.
struct SoundTrack {
  std::uint16_t pid = 0;
  unsigned channels = 0;  // 0 when its first frame does not say
};

struct ClipMedia {
  std::uint64_t first_shown_pts = 0;  // the first frame shown, on the clip's clock (90 kHz)
  std::uint64_t frame_ticks = 0;      // one frame's presentation (90 kHz); 0 when unknown
  bool has_picture = false;           // the first picture's parameters were read
  Picture picture;
  std::vector<SoundTrack> sounds;  // in program map order
};

}  // namespace zelvok
