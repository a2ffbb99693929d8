// Decimal digits written straight into a buffer: the formatting behind every
// subtitle line, where printf would cost more than the disk.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zelvok {

// Longest text put_decimal writes: 2^64 - 1 has 20 digits.
inline constexpr unsigned kMaxDecimalDigits = 20;

// "00" "01" ... "99", one after the other.
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// `value` (below 100) as two digits at `out`.
inline char* put_two_digits(char* out, std::uint64_t value) {
  std::memcpy(out, &kDigitPairs[2 * value], 2);
  return out + 2;
}

// Any value, zero-padded to at least `width` digits (at most
// kMaxDecimalDigits).
char* put_decimal_any(char* out, std::uint64_t value, unsigned width);

// `value` in decimal, zero-padded to at least `width` digits as "%0*d" would,
// at `out`; returns the position after the last digit.
inline char* put_decimal(char* out, std::uint64_t value, unsigned width) {
  // The widths and ranges of every subtitle field, each in a step or two.
  if (width == 2 && value < 100) {
    return put_two_digits(out, value);
  }
  if (width == 3 && value < 1000) {
    *out = static_cast<char>('0' + value / 100);
    return put_two_digits(out + 1, value % 100);
  }
  if (width == 4 && value < 10000) {
    return put_two_digits(put_two_digits(out, value / 100), value % 100);
  }
  return put_decimal_any(out, value, width);
}

}  // namespace zelvok
