#include "subtitle/digits.h"

namespace zelvok {

char* put_decimal(char* out, std::uint64_t value, unsigned width) {
  char reversed[kMaxDecimalDigits];
  unsigned count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (unsigned pad = count; pad < width; ++pad) {
    *out++ = '0';
  }
  while (count > 0) {
    *out++ = reversed[--count];
  }
  return out;
}

}  // namespace zelvok
