#include "model/camera_track.h"

#include <algorithm>

namespace zelvok {

std::int64_t in_time_offset_ms(const CameraTrack& track, std::uint32_t in_time) {
  constexpr std::uint64_t kWrap = std::uint64_t{1} << 33;
  constexpr std::int64_t kTicksPerMs = 90;
  const std::uint64_t in_pts = (std::uint64_t{in_time} * 2) % kWrap;
  // The time nearest the first frame shown, across the clock's wrap.
  const auto ticks =
      static_cast<std::int64_t>((in_pts - track.first_shown_pts + kWrap / 2) % kWrap) -
      static_cast<std::int64_t>(kWrap / 2);
  return ticks >= 0 ? ticks / kTicksPerMs : -((-ticks + kTicksPerMs - 1) / kTicksPerMs);
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
