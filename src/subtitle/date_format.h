// The text a subtitle shows for a recording stamp, in the form the user
// chose with --format, and the time zone the camera recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/recording_stamp.h"
#include "model/zone.h"

namespace zelvok {

// The form every subtitle had before --format, and still has without it.
inline constexpr std::string_view kFixedFormat = "%Y/%m/%d %H:%M:%S";
inline constexpr std::size_t kMaxFormatSize = 100;

struct DateFormat {
  std::string text;             // checked: only the codes put_date knows follow a '%'
  unsigned seconds_shown = 0;   // how many %S it holds
  bool needs_calendar = false;  // it names a weekday or month, or keeps a 12-hour clock
  bool breaks_lines = false;    // it holds %n
};

// Checks a --format text: 1 to 100 bytes, no control byte, and after each
// '%' one of Y y m d e H I M S p a A b B z n %. False when it is anything else.
bool parse_date_format(std::string_view text, DateFormat* format);

// The fixed form, "2008/09/10 14:24:35".
const DateFormat& fixed_date_format();

// Longest text of a date: each two bytes of a form become at most nine
// ("Wednesday", "September"), more than any number or zone takes.
inline constexpr std::size_t kMaxDateText = kMaxFormatSize / 2 * 9;

// How dates are shown: the form, and the zone they are in.
struct DateStyle {
  const DateFormat& format;
  Zone zone;
};

// Writes the date at `out`, which has room for kMaxDateText bytes, and returns
// the position after it. `*second_at` gets where the digits of the last %S
// begin, or stays as it was when the form has none. The text holds no empty
// line, as a cue's text must not: a form's line breaks join only the lines
// that hold something, and a text may be empty.
char* put_date(char* out, const DateStyle& style, const RecordingStamp& stamp, char** second_at);

// The date in the fixed form, as the console shows it.
std::string format_stamp(const RecordingStamp& stamp);

}  // namespace zelvok
