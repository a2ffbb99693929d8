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

char* put_timecode(char* out, const Timecode& time, SubtitleForm form) {
  out = put_decimal(out, time.hour, 2);
  *out++ = ':';
  out = put_two_digits(out, time.minute);
  *out++ = ':';
  out = put_two_digits(out, time.second);
  *out++ = form == SubtitleForm::kSubRip ? ',' : '.';
  return put_decimal(out, time.millisecond, 3);
}

// The text of a WebVTT cue: "&", "<" and ">" as character references, so
// that no text reads as markup or as the "-->" of a timing line.
// `*second_at` moves with the digits it marks. Returns the end.
char* put_escaped(char* out, std::string_view text, char** second_at) {
  const char* const marked = *second_at;
  for (const char& byte : text) {
    if (&byte == marked) {
      *second_at = out;
    }
    switch (byte) {
      case '&':
        out = put_text(out, "&amp;");
        break;
      case '<':
        out = put_text(out, "&lt;");
        break;
      case '>':
        out = put_text(out, "&gt;");
        break;
      default:
        *out++ = byte;
    }
  }
  return out;
}

// The entry's text: the date, escaped for WebVTT.
char* put_cue_text(char* out, const DateStyle& style, const RecordingStamp& stamp,
                   SubtitleForm form, char** second_at) {
  if (form == SubtitleForm::kSubRip) {
    return put_date(out, style, stamp, second_at);
  }
  std::array<char, kMaxDateText> date{};
  char* marked = nullptr;
  const char* const end = put_date(date.data(), style, stamp, &marked);
  out = put_escaped(out, std::string_view(date.data(), end), &marked);
  if (marked != nullptr) {
    *second_at = marked;
  }
  return out;
}

constexpr std::uint64_t kMinute = 60000;
constexpr std::size_t kSecondAndMillisecond = 6;  // "SS,mmm"

// Steps of one before more than the number's last two digits change (its
// one digit, for a number below 10).
std::uint64_t steps_in_last_digits(std::uint64_t number) {
  return number < 10 ? 9 - number : 99 - number % 100;
}

}  // namespace

std::string_view form_header(SubtitleForm form) {
  return form == SubtitleForm::kWebVtt ? "WEBVTT\r\n\r\n" : "";
}

std::string_view form_extension(SubtitleForm form) {
  return form == SubtitleForm::kWebVtt ? ".vtt" : ".srt";
}

void layout_entry(EntryText* entry, std::uint64_t number, std::uint64_t start_ms,
                  std::uint64_t end_ms, const DateStyle& style, const RecordingStamp& stamp) {
  char* const base = entry->bytes.data();
  const SubtitleForm form = entry->form;
  char* out = base;
  if (form == SubtitleForm::kSubRip) {
    out = put_line_end(put_decimal(base, number, 1));
  }
  entry->number_digits =
      form == SubtitleForm::kSubRip ? static_cast<std::size_t>(out - base) - 2 : 0;
  out = put_timecode(out, timecode_at(start_ms), form);
  entry->start_second_at = static_cast<std::size_t>(out - base) - kSecondAndMillisecond;
  out = put_timecode(put_text(out, " --> "), timecode_at(end_ms), form);
  entry->end_second_at = static_cast<std::size_t>(out - base) - kSecondAndMillisecond;
  char* second_at = base;  // stays so when the date shows no seconds
  out = put_cue_text(put_line_end(out), style, stamp, form, &second_at);
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
  const std::uint64_t number_steps =
      form == SubtitleForm::kSubRip ? steps_in_last_digits(number) : in_minute;
  entry->quick_steps = one_second_field ? std::min(in_minute, number_steps) : 0;
}

char* put_laid_out_next_entry(EntryText* entry, std::uint64_t length, const DateStyle& style,
                              const RecordingStamp& stamp, char* out) {
  layout_entry(entry, entry->number + 1, entry->end_ms, entry->end_ms + length, style, stamp);
  return put_entry(*entry, out);
}

}  // namespace zelvok
