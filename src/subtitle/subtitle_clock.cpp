#include "subtitle/subtitle_clock.h"

namespace zelvok {

Timecode timecode_at(std::uint64_t milliseconds) {
  const std::uint64_t seconds = milliseconds / 1000;
  return Timecode{
      static_cast<std::uint32_t>(seconds / 3600), static_cast<std::uint8_t>(seconds / 60 % 60),
      static_cast<std::uint8_t>(seconds % 60), static_cast<std::uint16_t>(milliseconds % 1000)};
}

}  // namespace zelvok
