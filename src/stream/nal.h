// The NAL units of an H.264 byte stream: each follows a 00 00 01 start code
// and runs up to the next.
#pragma once

#include <cstdint>
#include <vector>

#include "model/byte_reader.h"

namespace zelvok {

inline constexpr std::uint8_t kNalTypeMask = 0x1F;  // of a NAL unit's first byte
inline constexpr std::uint8_t kSeiNal = 6;
inline constexpr std::uint8_t kSpsNal = 7;

// The NAL unit after the first start code at or after `*at` in `es`, its
// header byte first; `*at` moves to its end. False when there is none.
bool next_nal(ByteSpan es, std::uint64_t* at, ByteSpan* nal);

// The NAL unit's bytes without its emulation-prevention bytes (the 03 of
// every 00 00 03).
void unescape(ByteSpan nal, std::vector<std::uint8_t>* rbsp);

}  // namespace zelvok
