// The one way the program reads the bytes of a playlist: big-endian fields at
// offsets that are checked against the end of the data before any byte is
// touched. Every read reports whether it succeeded and changes nothing when
// it did not.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zelvok {

using ByteSpan = std::span<const std::uint8_t>;

// True when `length` bytes starting at `offset` lie inside `bytes`. Offsets
// taken from a file are 32-bit values or sums of two or three of them, so they
// never wrap in 64 bits; the comparison below avoids even the sum.
bool has_bytes(ByteSpan bytes, std::uint64_t offset, std::uint64_t length);

bool read_u8(ByteSpan bytes, std::uint64_t offset, std::uint8_t* value);
bool read_u16(ByteSpan bytes, std::uint64_t offset, std::uint16_t* value);
bool read_u32(ByteSpan bytes, std::uint64_t offset, std::uint32_t* value);

// `length` raw bytes starting at `offset`.
bool read_span(ByteSpan bytes, std::uint64_t offset, std::uint64_t length, ByteSpan* span);

// True when the bytes at `offset` are exactly the ASCII text `expected`.
bool has_text(ByteSpan bytes, std::uint64_t offset, std::string_view expected);

}  // namespace zelvok
