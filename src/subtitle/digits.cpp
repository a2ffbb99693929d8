#include "subtitle/digits.h"

namespace zelvok {

char* put_decimal_any(char* out, std::uint64_t value, unsigned width) {
  unsigned digits = 1;
  for (std::uint64_t bound = 10; digits < kMaxDecimalDigits && value >= bound; bound *= 10) {
    ++digits;
  }
  char* const end = out + (digits < width ? width : digits);
  char* at = end;
  while (value >= 100) {
    at -= 2;
    put_two_digits(at, value % 100);
    value /= 100;
  }
  if (value >= 10) {
    at -= 2;
    put_two_digits(at, value);
  } else {
    *--at = static_cast<char>('0' + value);
  }
  while (at != out) {
    *--at = '0';
  }
  return end;
}

}  // namespace zelvok
