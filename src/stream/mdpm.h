// The recording date an AVCHD camera writes into every frame of its clips:
// tags of an "MDPM" message among the H.264 SEI of the frame.
#pragma once

#include <cstdint>
#include <vector>

#include "model/byte_reader.h"
#include "model/playlist.h"

namespace zelvok {

// What the MDPM tags of one frame say, gathered over all its messages; the
// first of a repeated tag counts.
struct FrameDate {
  bool has_year_month = false;  // tag 0x18: zone, year (two BCD bytes), month
  bool has_day_time = false;    // tag 0x19: day, hour, minute, second (BCD)
  SceneEntry entry{};           // the fields as stored, as a playlist's scene holds them
};

inline bool is_dated(const FrameDate& date) {
  return date.has_year_month && date.has_day_time;
}

// Gathers the MDPM tags of the SEI NAL units in `es`, an H.264 byte stream
// (NAL units after 00 00 01 start codes), into `date`. `scratch` holds each
// SEI's payload once its emulation-prevention bytes are gone.
void read_frame_date(ByteSpan es, FrameDate* date, std::vector<std::uint8_t>* scratch);

}  // namespace zelvok
