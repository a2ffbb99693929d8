// The camera's settings and position as a frame's pack records them: read
// from streams the builder writes (escaped as a camera escapes them) and from
// the real clips, and shown as the camera's own display showed them. The
// expected lines are worked out by hand from the tags' bytes.
#include "stream/camera_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "stream/frames.h"
#include "stream/tables.h"
#include "stream/transport.h"
#include "subtitle/camera_lines.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/stream_builder.h"

namespace zelvok {
namespace {

using testing::MdpmTag;

// The pack of a clip's first frame in file order.
CameraTags first_pack(const std::vector<std::uint8_t>& bytes) {
  const ByteSpan stream(bytes.data(), bytes.size());
  const std::size_t packet_size = stream_packet_size(stream);
  std::uint16_t pid = 0;
  if (packet_size == 0 || !find_video_pid(stream, packet_size, &pid)) {
    return {};
  }
  const std::vector<Frame> frames = read_frames(stream, packet_size, pid, true);
  return frames.empty() ? CameraTags{} : frames.front().date.camera;
}

CameraTags pack_of(const std::vector<MdpmTag>& tags) {
  testing::StreamPlan plan = testing::ticking_clip();
  plan.frames.resize(1);
  plan.frames[0].sei = {testing::SeiMessage{true, tags, 0, std::nullopt, std::nullopt}};
  return first_pack(testing::build_stream(plan));
}

struct LineCase {
  const char* what;
  std::vector<MdpmTag> tags;
  std::string line;
};

// 0x70: aperture code, gain and mode, white balance; 0x7F bytes 2-3: the
// shutter in 1/28125 s, little-endian; 0xA0, 0xA1: exact rationals.
const LineCase kCameraLines[] = {
    // 2^(11/8) = 2.59; 28125 / 562 = 50.04; gain 1: 0 dB.
    {"the codes of 0x70 and 0x7F",
     {{0x70, {0x0B, 0x01, 0x00, 0x00}}, {0x7F, {0x00, 0x00, 0x32, 0x02}}},
     "F2.6  1/50  0dB  AWB  AUTO"},
    {"rationals before codes",
     {{0x70, {0x0B, 0x4B, 0x20, 0x00}},
      {0xA1, {0x00, 0x3F, 0x00, 0x0A}},
      {0xA0, {0x00, 0x01, 0x00, 0x32}},
      {0x7F, {0x00, 0x00, 0x32, 0x02}}},
     "F6.3  1/50  30dB  WB HOLD  M"},
    // 0/1 is 00 00 00 01, escaped in the stream: not recorded, so 0x70 says.
    {"a zero shutter and a zero denominator",
     {{0xA0, {0x00, 0x00, 0x00, 0x01}},
      {0xA1, {0x00, 0x10, 0x00, 0x00}},
      {0x70, {0x10, 0x2F, 0x40, 0x00}}},
     "F4.0  WB 1-PUSH  S"},
    {"long exposures in seconds, rounded half up",
     {{0xA0, {0x00, 0x05, 0x00, 0x02}}, {0x70, {0xFF, 0x3F, 0x60, 0x00}}},
     "2.5\"  WB DAYLIGHT  A"},
    {"a shutter of 1/N rounded half up", {{0xA0, {0x00, 0x02, 0x00, 0x05}}}, "1/3"},
    {"auto and closed apertures, gain and shutter not recorded",
     {{0x70, {0xFE, 0x1F, 0x80, 0x00}}, {0x7F, {0x00, 0x00, 0xFF, 0x7F}}},
     ""},
    {"the stabiliser off at 0xBF", {{0x71, {0x00, 0xBF, 0x00, 0x00}}}, "OIS OFF"},
    {"the stabiliser off where bit 0x10 is clear", {{0x71, {0x00, 0x2F, 0x00, 0x00}}}, "OIS OFF"},
    {"the stabiliser on", {{0x71, {0x00, 0x3F, 0x00, 0x00}}}, ""},
    {"the stabiliser on at 0xFF", {{0x71, {0x00, 0xFF, 0x00, 0x00}}}, ""},
    {"the stabiliser on where bit 0x10 is set", {{0x71, {0x00, 0x30, 0x00, 0x00}}}, ""},
};

TEST(CameraLineTest, ShowsWhatThePackRecords) {
  for (const LineCase& c : kCameraLines) {
    EXPECT_EQ(camera_line(camera_settings(pack_of(c.tags))), c.line) << c.what;
  }
}

// N 48 8' 12.34", E 11 34' 56.79", 520.4 m, 3.6 km/h: the camera's example.
std::vector<MdpmTag> munich(std::uint8_t lat_ref, std::uint8_t lon_ref) {
  return {{0xB1, {lat_ref, 0, 0, 0}},       {0xB2, {0x00, 0x30, 0x00, 0x01}},
          {0xB3, {0x00, 0x08, 0x00, 0x01}}, {0xB4, {0x04, 0xD2, 0x00, 0x64}},
          {0xB5, {lon_ref, 0, 0, 0}},       {0xB6, {0x00, 0x0B, 0x00, 0x01}},
          {0xB7, {0x00, 0x22, 0x00, 0x01}}, {0xB8, {0x16, 0x2F, 0x00, 0x64}}};
}

std::vector<MdpmTag> latitude_only() {
  std::vector<MdpmTag> tags = munich('N', 'E');
  tags.resize(4);
  return tags;
}

std::vector<MdpmTag> with(std::vector<MdpmTag> tags, const std::vector<MdpmTag>& more) {
  tags.insert(tags.end(), more.begin(), more.end());
  return tags;
}

const LineCase kGpsLines[] = {
    {"the example",
     with(munich('N', 'E'), {{0xB9, {0, 0, 0, 0}},
                             {0xBA, {0x14, 0x54, 0x00, 0x0A}},
                             {0xBE, {'A', 0, 0, 0}},
                             {0xC1, {'K', 0, 0, 0}},
                             {0xC2, {0x00, 0x24, 0x00, 0x0A}}}),
     "N48.13676 E11.58244 520m  3.6km/h"},
    // 12.5 m below the sea rounds up to 13.
    {"south, west, below sea level, in knots",
     with(munich('S', 'W'), {{0xB9, {1, 0, 0, 0}},
                             {0xBA, {0x00, 0x19, 0x00, 0x02}},
                             {0xC1, {'N', 0, 0, 0}},
                             {0xC2, {0x00, 0x05, 0x00, 0x01}}}),
     "S48.13676 W11.58244 -13m  5.0kn"},
    {"no altitude, a speed in no unit", with(munich('N', 'E'), {{0xC2, {0x00, 0x05, 0x00, 0x01}}}),
     "N48.13676 E11.58244"},
    {"miles an hour",
     with(munich('N', 'E'), {{0xC1, {'M', 0, 0, 0}}, {0xC2, {0x00, 0x05, 0x00, 0x01}}}),
     "N48.13676 E11.58244  5.0mph"},
    // 0.018" is 0.000005 degrees exactly: half up.
    {"half a hundred-thousandth rounds up",
     {{0xB1, {'N', 0, 0, 0}},
      {0xB2, {0x00, 0x00, 0x00, 0x01}},
      {0xB3, {0x00, 0x00, 0x00, 0x01}},
      {0xB4, {0x00, 0x12, 0x03, 0xE8}},
      {0xB5, {'E', 0, 0, 0}},
      {0xB6, {0x00, 0xB4, 0x00, 0x01}},
      {0xB7, {0x00, 0x00, 0x00, 0x01}},
      {0xB8, {0x00, 0x00, 0x00, 0x01}}},
     "N0.00001 E180.00000"},
    {"a void fix", with(munich('N', 'E'), {{0xBE, {'V', 0, 0, 0}}}), ""},
    {"no longitude", latitude_only(), ""},
    {"a zero denominator", with({{0xB2, {0x00, 0x30, 0x00, 0x00}}}, munich('N', 'E')), ""},
    {"minutes above 60", with({{0xB3, {0x00, 0x3D, 0x00, 0x01}}}, munich('N', 'E')), ""},
    {"no hemisphere", with({{0xB1, {'X', 0, 0, 0}}}, munich('N', 'E')), ""},
};

TEST(GpsLineTest, ShowsAValidFix) {
  for (const LineCase& c : kGpsLines) {
    EXPECT_EQ(gps_line(gps_fix(pack_of(c.tags))), c.line) << c.what;
  }
}

TEST(GpsFixTest, TimeAndDateForTheTrack) {
  const GpsFix fix = gps_fix(pack_of(with(munich('N', 'E'), {{0xBB, {0x00, 0x0C, 0x00, 0x01}},
                                                             {0xBC, {0x00, 0x1E, 0x00, 0x01}},
                                                             {0xBD, {0x00, 0x05, 0x00, 0x01}},
                                                             {0xCA, {'2', '0', '1', '0'}},
                                                             {0xCB, {':', '0', '8', ':'}},
                                                             {0xCC, {'1', '5', 0, 0}}})));
  ASSERT_TRUE(fix.time && fix.date);
  EXPECT_EQ((*fix.time)[0].numerator, 12u);
  EXPECT_EQ((*fix.time)[2].numerator, 5u);
  EXPECT_EQ(fix.date->year, 2010);
  EXPECT_EQ(fix.date->month, 8);
  EXPECT_EQ(fix.date->day, 15);
  const GpsFix bad = gps_fix(pack_of(with(munich('N', 'E'), {{0xBB, {0x00, 0x18, 0x00, 0x01}},
                                                             {0xCA, {'2', '0', '1', '9'}},
                                                             {0xCB, {':', '0', '2', ':'}},
                                                             {0xCC, {'2', '9', 0, 0}}})));
  EXPECT_FALSE(bad.time);  // hour 24, and no minutes or seconds
  EXPECT_FALSE(bad.date);  // 2019 had no 29 February
  EXPECT_TRUE(bad.latitude);
}

// The real clips: what ExifTool shows of their first frame.
TEST(CameraLineTest, TheRealClipsShowTheirSettings) {
  const std::pair<const char*, const char*> clips[] = {
      {"drewnoakes_metadata-extractor-images_Sony_ILCE-7M3.mts", "F6.3  1/50  30dB  AWB  M"},
      {"exiftool_t_images_M2TS.mts", "F2.4  1/25  9dB"}};
  for (const auto& [name, line] : clips) {
    const std::filesystem::path clip = std::filesystem::path(ZELVOK_SAMPLES_DIR) / name;
    ZELVOK_REQUIRE(std::filesystem::exists(clip), "the real clips beside the checkout");
    const std::string bytes = testing::read_file(clip);
    EXPECT_EQ(camera_line(camera_settings(first_pack({bytes.begin(), bytes.end()}))), line) << name;
  }
}

}  // namespace
}  // namespace zelvok
