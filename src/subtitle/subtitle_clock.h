// Subtitle timecodes: where each entry starts and ends on its file's timeline.
#pragma once

#include <cstdint>

namespace zelvok {

struct Timecode {
  std::uint32_t hour;         // never wraps: a long playlist shows 256, 257, ...
  std::uint8_t minute;        // 0-59
  std::uint8_t second;        // 0-59
  std::uint16_t millisecond;  // 0-999
};

// The start and end of the next entry of one subtitle file.
struct SubtitleClock {
  Timecode start;
  Timecode end;
};

// 00:00:00,000 --> 00:00:01,000, where every file begins.
inline constexpr SubtitleClock kFirstEntryClock{{0, 0, 0, 0}, {0, 0, 1, 0}};

// One second later, carrying into minute and hour; milliseconds stay.
void advance_second(Timecode* time);

// `time` plus `milliseconds` (below 1000), carrying into the second.
Timecode add_milliseconds(Timecode time, std::uint32_t milliseconds);

// Moves the clock to the entry after a full-second one: start takes the old
// end, and end runs one second on.
void advance_clock(SubtitleClock* clock);

}  // namespace zelvok
