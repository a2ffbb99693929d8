// The one way the program reads fields narrower than a byte: bits from the
// most significant on, and the Exp-Golomb codes of H.264. A read beyond the
// end sets `overrun` and yields zeros, so that a parser reads its fields in
// a row and checks once at its end.
#pragma once

#include <cstdint>

#include "model/byte_reader.h"

namespace zelvok {

struct BitReader {
  ByteSpan bytes;
  std::uint64_t at = 0;  // bits read so far
  bool overrun = false;  // a read went past the end
};

// The next `count` bits (up to 32) as a number.
std::uint32_t read_bits(BitReader* reader, unsigned count);

inline bool read_flag(BitReader* reader) {
  return read_bits(reader, 1) != 0;
}

// ue(v): an unsigned Exp-Golomb code. A code of more than 31 leading zeros
// overruns.
std::uint32_t read_golomb(BitReader* reader);

// se(v): a signed Exp-Golomb code.
std::int64_t read_signed_golomb(BitReader* reader);

}  // namespace zelvok
