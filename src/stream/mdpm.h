// The recording date an AVCHD camera writes into every frame of its clips:
// tags of an "MDPM" message among the H.264 SEI of the frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/byte_reader.h"
#include "model/playlist.h"

namespace zelvok {

// The tags of a pack that record the camera's settings (0x70, 0x71, 0x7F,
// 0xA0, 0xA1) and its position (0xB1 to 0xCC, as EXIF's GPS fields).
inline constexpr std::array<std::uint8_t, 24> kCameraTags = {
    0x70, 0x71, 0x7F, 0xA0, 0xA1, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7,
    0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xC1, 0xC2, 0xCA, 0xCB, 0xCC};
inline constexpr std::size_t kTagValueSize = 4;

// Those tags of one frame's pack, as stored.
struct CameraTags {
  std::uint32_t recorded = 0;  // bit k: kCameraTags[k] is in the pack
  std::array<std::array<std::uint8_t, kTagValueSize>, kCameraTags.size()> values{};
};

// The four bytes `tag` holds, or null when the pack did not record it (or
// it is none of kCameraTags).
const std::array<std::uint8_t, kTagValueSize>* camera_tag(const CameraTags& tags, std::uint8_t tag);

// What the MDPM tags of one frame say, gathered over all its messages; the
// first of a repeated tag counts.
struct FrameDate {
  bool has_year_month = false;  // tag 0x18: zone, year (two BCD bytes), month
  bool has_day_time = false;    // tag 0x19: day, hour, minute, second (BCD)
  SceneEntry entry{};           // the fields as stored, as a playlist's scene holds them
  CameraTags camera;            // the settings and position, as stored
};

inline bool is_dated(const FrameDate& date) {
  return date.has_year_month && date.has_day_time;
}

// Gathers the MDPM tags of the SEI NAL units in `es`, an H.264 byte stream
// (NAL units after 00 00 01 start codes), into `date`. `scratch` holds each
// SEI's payload once its emulation-prevention bytes are gone.
void read_frame_date(ByteSpan es, FrameDate* date, std::vector<std::uint8_t>* scratch);

}  // namespace zelvok
