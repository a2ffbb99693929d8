#include "model/bit_reader.h"

namespace zelvok {

std::uint32_t read_bits(BitReader* reader, unsigned count) {
  std::uint32_t value = 0;
  for (unsigned k = 0; k < count; ++k) {
    const std::uint64_t byte = reader->at / 8;
    if (byte >= reader->bytes.size()) {
      reader->overrun = true;
      return 0;
    }
    const unsigned bit = 7 - static_cast<unsigned>(reader->at % 8);
    value = (value << 1) | ((reader->bytes[byte] >> bit) & 1u);
    ++reader->at;
  }
  return value;
}

std::uint32_t read_golomb(BitReader* reader) {
  unsigned zeros = 0;
  while (!read_flag(reader)) {
    if (reader->overrun || ++zeros > 31) {
      reader->overrun = true;
      return 0;
    }
  }
  return static_cast<std::uint32_t>((std::uint64_t{1} << zeros) - 1 + read_bits(reader, zeros));
}

std::int64_t read_signed_golomb(BitReader* reader) {
  const std::int64_t code = read_golomb(reader);
  return code % 2 == 1 ? (code + 1) / 2 : -(code / 2);
}

}  // namespace zelvok
