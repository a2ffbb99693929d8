#include "subtitle/srt_entry.h"

#include <cstring>

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

}  // namespace

char* put_entry(char* out, std::uint64_t number, const Timecode& start, const Timecode& end,
                std::string_view text) {
  out = put_line_end(put_decimal(out, number, 1));
  out = put_timecode(out, start);
  out = put_text(out, " --> ");
  out = put_line_end(put_timecode(out, end));
  out = put_line_end(put_text(out, text));
  return put_line_end(out);
}

}  // namespace zelvok
