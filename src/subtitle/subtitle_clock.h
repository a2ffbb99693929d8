// Subtitle timelines: where each entry of a file starts and ends, kept in
// milliseconds and turned into timecodes only when written.
#pragma once

#include <cstdint>

namespace zelvok {

struct Timecode {
  std::uint32_t hour;         // never wraps: a long playlist shows 256, 257, ...
  std::uint8_t minute;        // 0-59
  std::uint8_t second;        // 0-59
  std::uint16_t millisecond;  // 0-999
};

// The timecode `milliseconds` after the start of a file.
Timecode timecode_at(std::uint64_t milliseconds);

}  // namespace zelvok
