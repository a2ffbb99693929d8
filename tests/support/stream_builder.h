// Camcorder clip streams made packet by packet, for tests, fuzzing seeds and
// the benchmark: MPEG transport packets carrying a PAT, a program map, H.264
// video whose SEI holds the camera's MDPM tags, and the audio and subtitle
// packets of a real clip. Written from the formats' own descriptions, with
// nothing taken from the program under test.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zelvok::testing {

// One MDPM tag: its number and four bytes.
struct MdpmTag {
  std::uint8_t tag;
  std::array<std::uint8_t, 4> bytes;
};

// One user_data_unregistered SEI message of a frame.
struct SeiMessage {
  bool mdpm = true;                         // the camera's UUID and "MDPM"; else another UUID
  std::vector<MdpmTag> tags;                // when mdpm
  std::size_t other_bytes = 0;              // the payload's size after another UUID
  std::optional<std::uint8_t> tag_count;    // the count byte; default: tags.size()
  std::optional<std::size_t> claimed_size;  // the payload size written; default: the real one
};

// One video frame: one PES, one access unit.
struct FramePlan {
  std::uint64_t pts = 0;             // 90 kHz
  std::optional<std::uint64_t> dts;  // written when given
  std::vector<SeiMessage> sei;       // in one SEI NAL unit; none: no SEI at all
  std::size_t slice_bytes = 600;     // coded picture bytes after the SEI
  bool second_field = false;         // a second access unit (field) in the same PES
  bool header_runs_on = false;       // the first packet holds only 6 bytes of the PES
};

struct StreamPlan {
  std::size_t packet_size = 192;  // 192: an arrival time stamp before each packet
  std::uint16_t video_pid = 0x1011;
  std::uint16_t map_pid = 0x0100;
  bool map_first = false;         // the program map before the PAT
  bool other_streams = true;      // AC-3 on 0x1100 and PGS on 0x1200, listed before the video
  bool video_listed = true;       // the program map lists the H.264 stream
  std::vector<FramePlan> frames;  // in file order
  std::size_t cut = 0;            // bytes cut off the end of the file
};

// The MDPM tags of a date, in decimal, with the camera's zone byte: 0x18
// (zone, year as two BCD bytes, month) and 0x19 (day, hour, minute, second).
std::vector<MdpmTag> date_tags(std::uint8_t zone, unsigned year, unsigned month, unsigned day,
                               unsigned hour, unsigned minute, unsigned second);

// The twenty tags a frame of one maker's clips carries around the date:
// timecode 0x13, 0x14, the date, exposure and maker tags (0x70, 0x71, 0x7F,
// 0xA4, 0xA9, 0xE0, 0xE6-0xEF), some of whose bytes need emulation
// prevention.
std::vector<MdpmTag> camera_tags(const std::vector<MdpmTag>& date);

// A clip of `count` frames of 40 ms (PTS steps of 3600) from `first_pts`, in
// the decode order of I, P and B frames: each P frame is followed in the file
// by the two B frames presented before it, so the stream opens with an I
// frame presented after the B frames that follow it. Frame k (in
// presentation order) is dated `dates(k)`.
std::vector<FramePlan> gop_frames(std::size_t count, std::uint64_t first_pts,
                                  const std::vector<std::vector<MdpmTag>>& dates_in_order);

// The traits of the real clip the tests stand for: 36 frames of 40 ms from
// `first_pts`, dated 2021/01/17 17:33:16 at +03:00 with summer time (zone
// byte 0x46), the camera's clock ticking to :17 at the 14th frame presented
// (520 ms in): a clip of 1440 ms.
StreamPlan ticking_clip(std::uint64_t first_pts = 54000);

std::vector<std::uint8_t> build_stream(const StreamPlan& plan);

}  // namespace zelvok::testing
