#include "subtitle/srt_entry.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace zelvok {
namespace {

char* put_text(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

char* put_line_end(char* out) {
  out[0] = '\r';
  out[1] = '\n';
  return out + 2;
}

char* put_timecode(char* out, const Timecode& time) {
  out = put_decimal(out, time.hour, 2);
  *out++ = ':';
  out = put_two_digits(out, time.minute);
  *out++ = ':';
  out = put_two_digits(out, time.second);
  *out++ = ',';
  return put_decimal(out, time.millisecond, 3);
}

constexpr std::uint64_t kMinute = 60000;
constexpr std::size_t kSecondAndMillisecond = 6;  // "SS,mmm"

// Steps of one before more than the number's last two digits change (its
// one digit, for a number below 10).
std::uint64_t steps_in_last_digits(std::uint64_t number) {
  return number < 10 ? 9 - number : 99 - number % 100;
}

}  // namespace

void layout_entry(EntryText* entry, std::uint64_t number, std::uint64_t start_ms,
                  std::uint64_t end_ms, const DateStyle& style, const RecordingStamp& stamp) {
  char* const base = entry->bytes.data();
  char* out = put_decimal(base, number, 1);
  entry->number_digits = static_cast<std::size_t>(out - base);
  out = put_timecode(put_line_end(out), timecode_at(start_ms));
  entry->start_second_at = static_cast<std::size_t>(out - base) - kSecondAndMillisecond;
  out = put_timecode(put_text(out, " --> "), timecode_at(end_ms));
  entry->end_second_at = static_cast<std::size_t>(out - base) - kSecondAndMillisecond;
  char* second_at = base;  // stays so when the date shows no seconds
  out = put_date(put_line_end(out), style, stamp, &second_at);
  entry->stamp_second_at = static_cast<std::size_t>(second_at - base);
  out = put_line_end(put_line_end(out));
  entry->size = static_cast<std::size_t>(out - base);
  entry->number = number;
  entry->end_ms = end_ms;
  entry->end_second = static_cast<std::uint8_t>(end_ms / 1000 % 60);
  // Each next start is the end before it, so this start's minute must be
  // the end's too.
  const std::uint64_t in_minute =
      start_ms / kMinute == end_ms / kMinute ? 59 - entry->end_second : 0;
  const bool one_second_field = style.format.seconds_shown == 1;
  entry->quick_steps = one_second_field ? std::min(in_minute, steps_in_last_digits(number)) : 0;
}

char* put_laid_out_next_entry(EntryText* entry, std::uint64_t length, const DateStyle& style,
                              const RecordingStamp& stamp, char* out) {
  layout_entry(entry, entry->number + 1, entry->end_ms, entry->end_ms + length, style, stamp);
  return put_entry(*entry, out);
}

}  // namespace zelvok
