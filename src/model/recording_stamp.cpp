#include "model/recording_stamp.h"

#include <array>
#include <cstdio>

namespace zelvok {
namespace {

std::uint8_t decode_bcd_byte(std::uint8_t bcd) {
  return static_cast<std::uint8_t>((bcd >> 4) * 10 + (bcd & 0x0F));
}

std::uint16_t decode_bcd_year(std::uint16_t bcd) {
  unsigned year = 0;
  for (int shift = 12; shift >= 0; shift -= 4) {
    year = year * 10 + ((bcd >> shift) & 0x0Fu);
  }
  return static_cast<std::uint16_t>(year);
}

// The camera calendar: a leap year is one divisible by 4, as camcorders keep
// no century rule. Everything below counts days through these two.
constexpr bool is_leap_year(unsigned year) {
  return year % 4 == 0;
}

// Leap years among 0000 to year - 1.
constexpr std::uint64_t leap_years_before(unsigned year) {
  return (year + 3) / 4;
}

unsigned days_in_month(unsigned month, unsigned year) {
  static constexpr std::array<std::uint8_t, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                         31, 31, 30, 31, 30, 31};
  if (month < 1 || month > kDays.size()) {
    return 31;  // only a damaged entry gets here; it keeps counting as a long month
  }
  if (month == 2 && is_leap_year(year)) {
    return 29;
  }
  return kDays[month - 1];
}

constexpr unsigned days_in_year(unsigned year) {
  return is_leap_year(year) ? 366 : 365;
}

// Days in four consecutive years, from one divisible by 4.
constexpr std::uint64_t kDaysPerFourYears =
    days_in_year(0) + days_in_year(1) + days_in_year(2) + days_in_year(3);
constexpr std::int64_t kSecondsPerDay = 86400;

void next_month(RecordingStamp* stamp) {
  if (++stamp->month > 12) {
    stamp->month = 1;
    ++stamp->year;
  }
}

// Moves a field that runs from 0 up to `limit` on by `count` steps and returns
// how often it carried into the field above. A damaged field at or past its
// limit carries on its first step, as one-second advances make it do.
std::uint64_t count_up(std::uint8_t* field, unsigned limit, std::uint64_t count) {
  if (count == 0) {
    return 0;
  }
  const unsigned to_first_carry = *field + 1u >= limit ? 1 : limit - *field;
  if (count < to_first_carry) {
    *field = static_cast<std::uint8_t>(*field + count);
    return 0;
  }
  count -= to_first_carry;
  *field = static_cast<std::uint8_t>(count % limit);
  return 1 + count / limit;
}

// Moves the day on by `count` carries from the hour. After the first month
// ends the stamp stands on the 1st of a real month, so whole months and whole
// four-year cycles can be passed at once.
void count_days(RecordingStamp* stamp, std::uint64_t count) {
  if (count == 0) {
    return;
  }
  const unsigned month_days = days_in_month(stamp->month, stamp->year);
  const unsigned to_first_carry = stamp->day + 1u > month_days ? 1 : month_days - stamp->day + 1;
  if (count < to_first_carry) {
    stamp->day = static_cast<std::uint8_t>(stamp->day + count);
    return;
  }
  count -= to_first_carry;
  next_month(stamp);
  while (stamp->month != 1 && count >= days_in_month(stamp->month, stamp->year)) {
    count -= days_in_month(stamp->month, stamp->year);
    next_month(stamp);
  }
  if (stamp->month == 1) {
    stamp->year = static_cast<std::uint16_t>(stamp->year + 4 * (count / kDaysPerFourYears));
    count %= kDaysPerFourYears;
  }
  while (count >= days_in_month(stamp->month, stamp->year)) {
    count -= days_in_month(stamp->month, stamp->year);
    next_month(stamp);
  }
  stamp->day = static_cast<std::uint8_t>(1 + count);
}

// Seconds from 0000/01/01 00:00:00 to a stamp on the calendar.
std::int64_t seconds_since_year_zero(const RecordingStamp& stamp) {
  const std::int64_t days = days_since_year_zero(stamp);
  return ((days * 24 + stamp.hour) * 60 + stamp.minute) * 60 + stamp.second;
}

// The stamp `seconds` (at least 0) after 0000/01/01 00:00:00.
RecordingStamp stamp_after_year_zero(std::int64_t seconds) {
  auto days = static_cast<std::uint64_t>(seconds / kSecondsPerDay);
  auto rest = static_cast<unsigned>(seconds % kSecondsPerDay);
  unsigned year = 4 * static_cast<unsigned>(days / kDaysPerFourYears);
  days %= kDaysPerFourYears;
  while (days >= days_in_year(year)) {
    days -= days_in_year(year++);
  }
  unsigned month = 1;
  while (days >= days_in_month(month, year)) {
    days -= days_in_month(month++, year);
  }
  return RecordingStamp{
      static_cast<std::uint16_t>(year),          static_cast<std::uint8_t>(month),
      static_cast<std::uint8_t>(days + 1),       static_cast<std::uint8_t>(rest / 3600),
      static_cast<std::uint8_t>(rest / 60 % 60), static_cast<std::uint8_t>(rest % 60)};
}

constexpr unsigned kLastYear = 9999;

}  // namespace

RecordingStamp decode_stamp(const SceneEntry& entry) {
  return RecordingStamp{decode_bcd_year(entry.year),   decode_bcd_byte(entry.month),
                        decode_bcd_byte(entry.day),    decode_bcd_byte(entry.hour),
                        decode_bcd_byte(entry.minute), decode_bcd_byte(entry.second)};
}

std::int64_t days_since_year_zero(const RecordingStamp& stamp) {
  auto days =
      static_cast<std::int64_t>(std::uint64_t{365} * stamp.year + leap_years_before(stamp.year));
  for (unsigned month = 1; month < stamp.month; ++month) {
    days += days_in_month(month, stamp.year);
  }
  return days + stamp.day - 1;
}

void advance_stamp_by(RecordingStamp* stamp, std::uint64_t seconds) {
  const std::uint64_t minutes = count_up(&stamp->second, 60, seconds);
  const std::uint64_t hours = count_up(&stamp->minute, 60, minutes);
  count_days(stamp, count_up(&stamp->hour, 24, hours));
}

bool is_calendar_stamp(const RecordingStamp& stamp) {
  return stamp.month >= 1 && stamp.month <= 12 && stamp.day >= 1 &&
         stamp.day <= days_in_month(stamp.month, stamp.year) && stamp.hour < 24 &&
         stamp.minute < 60 && stamp.second < 60;
}

bool shift_stamp(RecordingStamp* stamp, std::int64_t seconds) {
  if (!is_calendar_stamp(*stamp) || stamp->year > kLastYear) {
    return false;
  }
  const RecordingStamp last{kLastYear, 12, 31, 23, 59, 59};
  const std::int64_t moved = seconds_since_year_zero(*stamp) + seconds;
  if (moved < 0 || moved > seconds_since_year_zero(last)) {
    return false;
  }
  *stamp = stamp_after_year_zero(moved);
  return true;
}

void advance_stamp_carrying(RecordingStamp* stamp) {
  const unsigned month_days = days_in_month(stamp->month, stamp->year);
  stamp->second = 0;  // from 59 or more, one second on always carries
  if (++stamp->minute < 60) {
    return;
  }
  stamp->minute = 0;
  if (++stamp->hour < 24) {
    return;
  }
  stamp->hour = 0;
  if (++stamp->day <= month_days) {
    return;
  }
  stamp->day = 1;
  if (++stamp->month <= 12) {
    return;
  }
  stamp->month = 1;
  ++stamp->year;
}

std::string iso_date_time(const RecordingStamp& stamp) {
  std::array<char, 32> text{};
  const int size =
      std::snprintf(text.data(), text.size(), "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{stamp.year},
                    unsigned{stamp.month}, unsigned{stamp.day}, unsigned{stamp.hour},
                    unsigned{stamp.minute}, unsigned{stamp.second});
  return std::string(text.data(), static_cast<std::size_t>(size));
}

bool utc_of(const RecordedAt& recorded, RecordingStamp* utc) {
  *utc = recorded.stamp;
  constexpr std::int64_t kSecondsPerMinute = 60;
  return recorded.zone != kNoZone &&
         shift_stamp(utc, -std::int64_t{recorded.zone} * kSecondsPerMinute);
}

}  // namespace zelvok
