#include "playlist/byte_reader.h"

#include <algorithm>

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

bool read_u8(ByteSpan bytes, std::uint64_t offset, std::uint8_t* value) {
  ByteSpan field;
  if (!read_span(bytes, offset, 1, &field)) {
    return false;
  }
  *value = field[0];
  return true;
}

bool read_u16(ByteSpan bytes, std::uint64_t offset, std::uint16_t* value) {
  ByteSpan field;
  if (!read_span(bytes, offset, 2, &field)) {
    return false;
  }
  *value = static_cast<std::uint16_t>((field[0] << 8) | field[1]);
  return true;
}

bool read_u32(ByteSpan bytes, std::uint64_t offset, std::uint32_t* value) {
  ByteSpan field;
  if (!read_span(bytes, offset, 4, &field)) {
    return false;
  }
  *value = (std::uint32_t{field[0]} << 24) | (std::uint32_t{field[1]} << 16) |
           (std::uint32_t{field[2]} << 8) | std::uint32_t{field[3]};
  return true;
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
