// The date and time at which a second of video was recorded.
#pragma once

#include <cstdint>
#include <string>

#include "model/playlist.h"

namespace zelvok {

struct RecordingStamp {
  std::uint16_t year;   // four decimal digits in valid data
  std::uint8_t month;   // 1-12 in valid data; a damaged entry may hold up to 165
  std::uint8_t day;     // 1-31
  std::uint8_t hour;    // 0-23
  std::uint8_t minute;  // 0-59
  std::uint8_t second;  // 0-59
};

// A stamp and the zone the camera recorded it in (kNoZone when none).
struct RecordedAt {
  RecordingStamp stamp;
  Zone zone;
};

// The stamp of a dated scene entry. The BCD digits are taken as they are: a
// nibble above 9 counts its plain value, and no field is range-checked.
RecordingStamp decode_stamp(const SceneEntry& entry);

// advance_stamp for a second of 59 or more, which carries.
void advance_stamp_carrying(RecordingStamp* stamp);

// One second later, carrying into minute, hour, day, month and year; each
// field is tested only when the one below it carried.
inline void advance_stamp(RecordingStamp* stamp) {
  if (stamp->second < 59) {
    ++stamp->second;  // the step of 59 seconds in 60, made where it is called
    return;
  }
  advance_stamp_carrying(stamp);
}

// Exactly what `seconds` one-second advances do, damaged fields included, at
// the cost of a few of them whatever the count.
void advance_stamp_by(RecordingStamp* stamp, std::uint64_t seconds);

// True when every field is a real date and time: a month of 1-12, a day of
// that month, and an hour, minute and second of a clock.
bool is_calendar_stamp(const RecordingStamp& stamp);

// Days from 0000/01/01 to the stamp's day, on the camera calendar.
std::int64_t days_since_year_zero(const RecordingStamp& stamp);

// Moves a stamp on the calendar by `seconds`, forward or back, as one-second
// advances count (every fourth year a leap year). False, leaving the stamp as
// it was, when it is not on the calendar or would leave the years 0000-9999.
bool shift_stamp(RecordingStamp* stamp, std::int64_t seconds);

// "YYYY-MM-DDTHH:MM:SS", as ISO 8601 writes a date and time.
std::string iso_date_time(const RecordingStamp& stamp);

// The instant `recorded` names, in UTC. False when the camera recorded no
// zone, the stamp is not on the calendar, or UTC would leave the years
// 0000-9999.
bool utc_of(const RecordedAt& recorded, RecordingStamp* utc);

}  // namespace zelvok
