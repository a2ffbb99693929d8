// Decimal digits written straight into a buffer: the formatting behind every
// subtitle line, where printf would cost more than the disk.
#pragma once

#include <cstdint>

namespace zelvok {

// Longest text put_decimal writes: 2^64 - 1 has 20 digits.
inline constexpr unsigned kMaxDecimalDigits = 20;

// `value` in decimal, zero-padded to at least `width` digits (as "%0*d"
// would), at `out`; returns the position after the last digit.
char* put_decimal(char* out, std::uint64_t value, unsigned width);

// The common case of put_decimal(out, value, 2), for values below 100.
inline char* put_two_digits(char* out, unsigned value) {
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out + 2;
}

}  // namespace zelvok
