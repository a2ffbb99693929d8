#include "subtitle/recording_stamp.h"

#include <array>

#include "subtitle/digits.h"

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

// A leap year is one divisible by 4: camcorders keep no century rule.
unsigned days_in_month(unsigned month, unsigned year) {
  static constexpr std::array<std::uint8_t, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                         31, 31, 30, 31, 30, 31};
  if (month < 1 || month > kDays.size()) {
    return 31;  // only a damaged entry gets here; it keeps counting as a long month
  }
  if (month == 2 && year % 4 == 0) {
    return 29;
  }
  return kDays[month - 1];
}

}  // namespace

RecordingStamp decode_stamp(const SceneEntry& entry) {
  return RecordingStamp{decode_bcd_year(entry.year),   decode_bcd_byte(entry.month),
                        decode_bcd_byte(entry.day),    decode_bcd_byte(entry.hour),
                        decode_bcd_byte(entry.minute), decode_bcd_byte(entry.second)};
}

char* put_stamp(char* out, const RecordingStamp& stamp) {
  out = put_decimal(out, stamp.year, 4);
  *out++ = '/';
  out = put_decimal(out, stamp.month, 2);
  *out++ = '/';
  out = put_decimal(out, stamp.day, 2);
  *out++ = ' ';
  out = put_decimal(out, stamp.hour, 2);
  *out++ = ':';
  out = put_decimal(out, stamp.minute, 2);
  *out++ = ':';
  return put_decimal(out, stamp.second, 2);
}

std::string format_stamp(const RecordingStamp& stamp) {
  char text[kMaxStampText];
  return std::string(text, put_stamp(text, stamp));
}

void advance_stamp(RecordingStamp* stamp) {
  const unsigned month_days = days_in_month(stamp->month, stamp->year);
  if (++stamp->second < 60) {
    return;
  }
  stamp->second = 0;
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

}  // namespace zelvok
