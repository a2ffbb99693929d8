#include "model/zone.h"

namespace zelvok {

Zone decode_zone(std::uint8_t byte) {
  const unsigned hours = (byte >> 1) & 0x0Fu;
  if (hours == kZoneHoursNotRecorded) {
    return kNoZone;
  }
  const int minutes = static_cast<int>(hours * 60 + ((byte & 0x01u) != 0 ? 30 : 0));
  return static_cast<Zone>((byte & 0x20u) != 0 ? -minutes : minutes);
}

}  // namespace zelvok
