#include "model/camera_track.h"

#include <algorithm>

#include "model/pts_clock.h"

namespace zelvok {

std::int64_t in_time_offset_ms(const CameraTrack& track, std::uint32_t in_time) {
  const std::uint64_t in_pts = (std::uint64_t{in_time} * 2) % kPtsWrap;
  // The time nearest the first frame shown, across the clock's wrap.
  return floor_ms(unwrapped_pts(in_pts, track.first_shown_pts) -
                  static_cast<std::int64_t>(track.first_shown_pts));
}

const CameraState* state_at(const CameraTrack& track, std::int64_t ms) {
  if (track.frames.empty()) {
    return nullptr;
  }
  auto after =
      std::upper_bound(track.frames.begin(), track.frames.end(), ms,
                       [](std::int64_t at, const TrackFrame& frame) { return at < frame.ms; });
  const TrackFrame& frame = after == track.frames.begin() ? track.frames.front() : *(after - 1);
  return &track.states[frame.state];
}

}  // namespace zelvok
