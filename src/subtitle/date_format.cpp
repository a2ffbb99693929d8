#include "subtitle/date_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "subtitle/digits.h"

namespace zelvok {
namespace {

constexpr std::string_view kCodes = "YymdeHIMSpaAbBzn%";
constexpr std::string_view kCalendarCodes = "IpaAbB";

constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::size_t kShortName = 3;

// 0000/01/01 of the camera calendar, where every fourth year is a leap
// year, fell on a Friday (weekday 5, counting from Sunday).
constexpr std::int64_t kWeekdayOfDayZero = 5;

char* put_text(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// Names are looked up only for stamps on the calendar; any other field is
// held inside the table all the same.
std::string_view name_of(std::span<const std::string_view> names, unsigned index, bool whole) {
  const std::string_view name = names[index % names.size()];
  return whole ? name : name.substr(0, kShortName);
}

unsigned weekday(const RecordingStamp& stamp) {
  return static_cast<unsigned>((days_since_year_zero(stamp) + kWeekdayOfDayZero) % 7);
}

char* put_zone(char* out, Zone zone) {
  if (zone == kNoZone) {
    return out;
  }
  *out++ = zone < 0 ? '-' : '+';
  const int minutes = zone < 0 ? -zone : zone;
  out = put_two_digits(out, static_cast<std::uint64_t>(minutes / 60));
  *out++ = ':';
  return put_two_digits(out, static_cast<std::uint64_t>(minutes % 60));
}

unsigned twelve_hour(unsigned hour) {
  return hour % 12 == 0 ? 12 : hour % 12;
}

// Writes what one code stands for.
char* put_code(char* out, char code, const DateStyle& style, const RecordingStamp& stamp) {
  switch (code) {
    case 'Y':
      return put_decimal(out, stamp.year, 4);
    case 'y':
      return put_two_digits(out, stamp.year % 100);
    case 'm':
      return put_decimal(out, stamp.month, 2);
    case 'd':
      return put_decimal(out, stamp.day, 2);
    case 'e':
      if (stamp.day < 10) {
        *out++ = ' ';
      }
      return put_decimal(out, stamp.day, 1);
    case 'H':
      return put_decimal(out, stamp.hour, 2);
    case 'I':
      return put_two_digits(out, twelve_hour(stamp.hour));
    case 'M':
      return put_decimal(out, stamp.minute, 2);
    case 'S':
      return put_decimal(out, stamp.second, 2);
    case 'p':
      return put_text(out, stamp.hour < 12 ? "AM" : "PM");
    case 'a':
    case 'A':
      return put_text(out, name_of(kWeekdays, weekday(stamp), code == 'A'));
    case 'b':
    case 'B':
      return put_text(out, name_of(kMonths, stamp.month - 1u, code == 'B'));
    case 'z':
      return put_zone(out, style.zone);
    case 'n':
      return put_text(out, "\r\n");
    default:
      *out++ = '%';
      return out;
  }
}

bool is_text_byte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x20 && value != 0x7F;
}

}  // namespace

bool parse_date_format(std::string_view text, DateFormat* format) {
  if (text.empty() || text.size() > kMaxFormatSize) {
    return false;
  }
  DateFormat parsed{std::string(text), 0, false, false};
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!is_text_byte(text[at])) {
      return false;
    }
    if (text[at] != '%') {
      continue;
    }
    if (++at == text.size() || kCodes.find(text[at]) == std::string_view::npos) {
      return false;
    }
    parsed.seconds_shown += text[at] == 'S' ? 1 : 0;
    parsed.breaks_lines = parsed.breaks_lines || text[at] == 'n';
    parsed.needs_calendar =
        parsed.needs_calendar || kCalendarCodes.find(text[at]) != std::string_view::npos;
  }
  *format = std::move(parsed);
  return true;
}

const DateFormat& fixed_date_format() {
  static const DateFormat format{std::string(kFixedFormat), 1, false, false};
  return format;
}

namespace {

// Leaves out the empty lines of the text at [begin, end), those that %n at
// either end, two %n or a %z with no zone made: for every reader an empty
// line ends a cue. Lines that hold something are joined by their line
// breaks; `*second_at` moves with its line. Returns the new end.
char* drop_empty_lines(char* begin, char* end, char** second_at) {
  constexpr std::string_view kLineEnd = "\r\n";
  char* out = begin;
  char* line = begin;
  while (true) {
    char* const line_end = std::search(line, end, kLineEnd.begin(), kLineEnd.end());
    if (line_end != line) {
      // The line break before this line in the text is still ahead of `out`.
      out = out == begin ? out : put_text(out, kLineEnd);
      if (*second_at >= line && *second_at < line_end) {
        *second_at = out + (*second_at - line);
      }
      std::memmove(out, line, static_cast<std::size_t>(line_end - line));
      out += line_end - line;
    }
    if (line_end == end) {
      return out;
    }
    line = line_end + kLineEnd.size();
  }
}

}  // namespace

char* put_date(char* out, const DateStyle& style, const RecordingStamp& stamp, char** second_at) {
  char* const begin = out;
  const std::string& text = style.format.text;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '%') {
      *out++ = text[at];
      continue;
    }
    const char code = text[++at];  // a checked form ends no '%' without a code
    if (code == 'S') {
      *second_at = out;
    }
    out = put_code(out, code, style, stamp);
  }
  return style.format.breaks_lines ? drop_empty_lines(begin, out, second_at) : out;
}

std::string format_stamp(const RecordingStamp& stamp) {
  std::array<char, kMaxDateText> text{};
  char* second_at = nullptr;
  char* end = put_date(text.data(), {fixed_date_format(), kNoZone}, stamp, &second_at);
  return std::string(text.data(), end);
}

}  // namespace zelvok
