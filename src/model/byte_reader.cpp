#include "model/byte_reader.h"

#include <algorithm>
#include <numeric>

namespace zelvok {

bool has_bytes(ByteSpan bytes, std::uint64_t offset, std::uint64_t length) {
  const std::uint64_t size = bytes.size();
  return offset <= size && length <= size - offset;
}

bool read_span(ByteSpan bytes, std::uint64_t offset, std::uint64_t length, ByteSpan* span) {
  if (!has_bytes(bytes, offset, length)) {
    return false;
  }
  *span = bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  return true;
}

namespace {

// A big-endian field of `size` bytes (at most 4), changed only when whole.
template <typename Field>
bool read_big_endian(ByteSpan bytes, std::uint64_t offset, Field* value) {
  ByteSpan field;
  if (!read_span(bytes, offset, sizeof(Field), &field)) {
    return false;
  }
  const std::uint32_t read =
      std::accumulate(field.begin(), field.end(), std::uint32_t{0},
                      [](std::uint32_t high, std::uint8_t byte) { return high << 8 | byte; });
  *value = static_cast<Field>(read);
  return true;
}

}  // namespace

bool read_u8(ByteSpan bytes, std::uint64_t offset, std::uint8_t* value) {
  return read_big_endian(bytes, offset, value);
}

bool read_u16(ByteSpan bytes, std::uint64_t offset, std::uint16_t* value) {
  return read_big_endian(bytes, offset, value);
}

bool read_u32(ByteSpan bytes, std::uint64_t offset, std::uint32_t* value) {
  return read_big_endian(bytes, offset, value);
}

bool has_text(ByteSpan bytes, std::uint64_t offset, std::string_view expected) {
  ByteSpan field;
  if (!read_span(bytes, offset, expected.size(), &field)) {
    return false;
  }
  return std::equal(
      field.begin(), field.end(), expected.begin(), expected.end(),
      [](std::uint8_t byte, char text) { return byte == static_cast<std::uint8_t>(text); });
}

}  // namespace zelvok
