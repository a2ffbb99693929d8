// The date and time at which a second of video was recorded.
#pragma once

#include <cstdint>
#include <string>

#include "playlist/playlist.h"

namespace zelvok {

struct RecordingStamp {
  std::uint16_t year;   // four decimal digits in valid data
  std::uint8_t month;   // 1-12 in valid data; a damaged entry may hold up to 165
  std::uint8_t day;     // 1-31
  std::uint8_t hour;    // 0-23
  std::uint8_t minute;  // 0-59
  std::uint8_t second;  // 0-59
};

// Longest text of a stamp: a damaged entry decodes to at most 16665 for the
// year and 165 for every other field.
inline constexpr unsigned kMaxStampText = 5 + 1 + 3 + 1 + 3 + 1 + 3 + 1 + 3 + 1 + 3;

// The stamp of a dated scene entry. The BCD digits are taken as they are: a
// nibble above 9 counts its plain value, and no field is range-checked.
RecordingStamp decode_stamp(const SceneEntry& entry);

// "2008/09/10 14:24:35" at `out`; returns the position after it.
char* put_stamp(char* out, const RecordingStamp& stamp);

std::string format_stamp(const RecordingStamp& stamp);

// One second later, carrying into minute, hour, day, month and year; each
// field is tested only when the one below it carried.
void advance_stamp(RecordingStamp* stamp);

}  // namespace zelvok
