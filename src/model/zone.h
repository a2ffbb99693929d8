// The time zone a camera records beside each date.
#pragma once

#include <cstdint>
#include <limits>

namespace zelvok {

// A time zone as minutes east of UTC; kNoZone when the camera recorded none.
using Zone = std::int16_t;
inline constexpr Zone kNoZone = std::numeric_limits<Zone>::min();

// The hours a zone byte holds when the camera recorded no zone, and such a
// byte as a camera writes it.
inline constexpr unsigned kZoneHoursNotRecorded = 15;
inline constexpr std::uint8_t kZoneNotRecorded = kZoneHoursNotRecorded << 1;

// The zone byte a camera writes beside each date: bit 5 the sign (set west of
// UTC), bits 1-4 the hours (15: not recorded), bit 0 half an hour. Bit 6 says
// summer time was on, which the hours already include; bit 7 means nothing.
Zone decode_zone(std::uint8_t byte);

}  // namespace zelvok
