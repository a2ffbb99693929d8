#include "subtitle/subtitle_clock.h"

namespace zelvok {

void advance_second(Timecode* time) {
  if (++time->second < 60) {
    return;
  }
  time->second = 0;
  if (++time->minute < 60) {
    return;
  }
  time->minute = 0;
  ++time->hour;
}

Timecode add_milliseconds(Timecode time, std::uint32_t milliseconds) {
  const std::uint32_t sum = time.millisecond + milliseconds;
  time.millisecond = static_cast<std::uint16_t>(sum % 1000);
  if (sum >= 1000) {
    advance_second(&time);
  }
  return time;
}

void advance_clock(SubtitleClock* clock) {
  clock->start = clock->end;
  advance_second(&clock->end);
}

}  // namespace zelvok
