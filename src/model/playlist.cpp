#include "model/playlist.h"

namespace zelvok {

std::uint32_t duration_ms(const PlayItem& item) {
  const std::uint32_t ticks = item.out_time - item.in_time;  // unsigned: wraps modulo 2^32
  return ticks / kTicksPerMillisecond;
}

}  // namespace zelvok
