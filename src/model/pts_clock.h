// The clock a stream's presentation times count: 90 kHz, in 33 bits that
// roll over about every 26.5 hours. Times of one clip are read against one
// of its own, so that a clip across the roll-over keeps its order.
#pragma once

#include <cstdint>

namespace zelvok {

inline constexpr std::uint64_t kPtsPerMillisecond = 90;
inline constexpr std::uint64_t kPtsWrap = std::uint64_t{1} << 33;

// `pts` as the time nearest to `reference` among those the 33-bit clock
// shows as it (both on the clock, below kPtsWrap).
inline std::int64_t unwrapped_pts(std::uint64_t pts, std::uint64_t reference) {
  constexpr std::uint64_t kHalf = kPtsWrap / 2;
  return static_cast<std::int64_t>(reference) +
         static_cast<std::int64_t>((pts - reference + kHalf) % kPtsWrap) -
         static_cast<std::int64_t>(kHalf);
}

// A time unwrapped, back on the 33-bit clock.
inline std::uint64_t on_clock(std::int64_t time) {
  const auto wrap = static_cast<std::int64_t>(kPtsWrap);
  return static_cast<std::uint64_t>((time % wrap + wrap) % wrap);
}

// Ticks as whole milliseconds, rounded down, before the clock's zero too.
inline std::int64_t floor_ms(std::int64_t ticks) {
  constexpr auto kPerMs = static_cast<std::int64_t>(kPtsPerMillisecond);
  return ticks >= 0 ? ticks / kPerMs : -((-ticks + kPerMs - 1) / kPerMs);
}

}  // namespace zelvok
