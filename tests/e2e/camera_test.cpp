// --camera, --gps and --gpx on clips the stream builder makes with a GPS
// camera's packs: the settings carry from the frame that last recorded each
// of them, the fix is taken whole from the last frame with a position, a
// void fix shows nothing and is left out of the track. The expected texts are
// worked out by hand from the bytes; ExifTool reads the same positions from
// the clip, and the track's points are those of the frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/stream_builder.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::MdpmTag;

// N 48 8' 12.34", E 11 34' SECONDS", in the camera's rationals.
std::vector<MdpmTag> position(std::uint8_t status, std::uint16_t longitude_hundredths) {
  return {{0xB1, {'N', 0, 0, 0}},
          {0xB2, {0x00, 0x30, 0x00, 0x01}},
          {0xB3, {0x00, 0x08, 0x00, 0x01}},
          {0xB4, {0x04, 0xD2, 0x00, 0x64}},
          {0xB5, {'E', 0, 0, 0}},
          {0xB6, {0x00, 0x0B, 0x00, 0x01}},
          {0xB7, {0x00, 0x22, 0x00, 0x01}},
          {0xB8,
           {static_cast<std::uint8_t>(longitude_hundredths >> 8),
            static_cast<std::uint8_t>(longitude_hundredths & 0xFF), 0x00, 0x64}},
          {0xBE, {status, 0, 0, 0}}};
}

std::vector<MdpmTag> gps_time(std::uint8_t second) {
  return {{0xBB, {0x00, 0x0C, 0x00, 0x01}},
          {0xBC, {0x00, 0x1E, 0x00, 0x01}},
          {0xBD, {0x00, second, 0x00, 0x01}}};
}

void add(std::vector<MdpmTag>& tags, const std::vector<MdpmTag>& more) {
  tags.insert(tags.end(), more.begin(), more.end());
}

// Three seconds of 75 frames, all dated 2021/01/17 17:33:16 at +03:00. The
// first frame records everything; at 1.44 s a pack records a new gain and a
// fix 1" further east with no altitude nor GPS date; at 2.00 s a void fix.
testing::StreamPlan gps_clip() {
  std::vector<std::vector<MdpmTag>> packs(75, testing::date_tags(0x46, 2021, 1, 17, 17, 33, 16));
  // F2.6 (2^(11/8)), 0 dB, AUTO, AWB; 1/50 (28125 / 562).
  add(packs[0], {{0x70, {0x0B, 0x01, 0x00, 0x00}}, {0x7F, {0x00, 0x00, 0x32, 0x02}}});
  add(packs[0], position('A', 5679));
  add(packs[0], gps_time(5));
  add(packs[0], {{0xB9, {0, 0, 0, 0}},
                 {0xBA, {0x14, 0x54, 0x00, 0x0A}},
                 {0xC1, {'K', 0, 0, 0}},
                 {0xC2, {0x00, 0x24, 0x00, 0x0A}},
                 {0xCA, {'2', '0', '1', '0'}},
                 {0xCB, {':', '0', '8', ':'}},
                 {0xCC, {'1', '5', 0, 0}}});
  add(packs[36], {{0x70, {0x0B, 0x04, 0x00, 0x00}}});  // 9 dB
  add(packs[36], position('A', 5779));
  add(packs[36], gps_time(6));
  add(packs[50], position('V', 5879));
  add(packs[50], gps_time(7));
  testing::StreamPlan plan;
  plan.frames = testing::gop_frames(75, 54000, packs);
  return plan;
}

std::string cue(int number, const char* start, const char* end, const std::string& text) {
  return std::to_string(number) + "\r\n" + start + " --> " + end + "\r\n" + text + "\r\n\r\n";
}

TEST(CameraRunTest, EachCueShowsTheFrameAtItsStart) {
  ZELVOK_POSIX_ONLY();
  testing::TempFolder folder;
  testing::write_file(folder.path / "00000.MTS", testing::build_stream(gps_clip()));
  const testing::ProgramResult result = testing::run_zelvok_in_locale(
      {"--camera", "--gps", "--gpx", "00000.MTS"}, folder.path, {"ZELVOK_LANG=en"});
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::read_file(folder.path / "00000.srt"),
            cue(1, "00:00:00,000", "00:00:01,000",
                "2021/01/17 17:33:16\r\nF2.6  1/50  0dB  AWB  AUTO\r\n"
                "N48.13676 E11.58244 520m  3.6km/h") +
                cue(2, "00:00:01,000", "00:00:02,000",
                    "2021/01/17 17:33:17\r\nF2.6  1/50  0dB  AWB  AUTO\r\n"
                    "N48.13676 E11.58244 520m  3.6km/h") +
                cue(3, "00:00:02,000", "00:00:03,000",
                    "2021/01/17 17:33:18\r\nF2.6  1/50  9dB  AWB  AUTO"));
  // The second point has no GPS date: its recording's, in UTC (14:33 on the
  // same day at +03:00).
  EXPECT_EQ(testing::read_file(folder.path / "00000.gpx"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"zelvok\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
            "  <trk>\n"
            "    <name>00000.MTS</name>\n"
            "    <trkseg>\n"
            "      <trkpt lat=\"48.1367611\" lon=\"11.5824417\">\n"
            "        <ele>520.4</ele>\n"
            "        <time>2010-08-15T12:30:05Z</time>\n"
            "      </trkpt>\n"
            "      <trkpt lat=\"48.1367611\" lon=\"11.5827194\">\n"
            "        <time>2021-01-17T12:30:06Z</time>\n"
            "      </trkpt>\n"
            "    </trkseg>\n"
            "  </trk>\n"
            "</gpx>\n");
  // A form without seconds: cues whose whole texts agree merge, and the
  // gain's change at 1.44 s shows from the cue at 2 s.
  const testing::ProgramResult minutes = testing::run_zelvok_in_locale(
      {"--camera", "--format=%H:%M", "--overwrite", "00000.MTS"}, folder.path, {"ZELVOK_LANG=en"});
  EXPECT_EQ(minutes.status, 0) << minutes.output;
  EXPECT_EQ(testing::read_file(folder.path / "00000.srt"),
            cue(1, "00:00:00,000", "00:00:02,000", "17:33\r\nF2.6  1/50  0dB  AWB  AUTO") +
                cue(2, "00:00:02,000", "00:00:03,000", "17:33\r\nF2.6  1/50  9dB  AWB  AUTO"));
}

// A card's clip dated by its playlist keeps the playlist's date; its data
// comes from the stream at the PlayItem's IN time: 1.5 s in, after the
// gain's change at 1.44 s.
TEST(CameraRunTest, ACardsClipStartsAtItsInTime) {
  testing::TempFolder folder;
  const fs::path bdmv = folder.path / "card/BDMV";
  fs::create_directories(bdmv / "PLAYLIST");
  fs::create_directories(bdmv / "STREAM");
  const std::uint32_t in_time = (54000 + 135000) / 2;  // 45 kHz
  testing::write_file(bdmv / "PLAYLIST/00000.MPL", testing::build_playlist(testing::playlist_of(
                                                       {testing::clip("00000", 1000, in_time)},
                                                       {testing::scene_at(2019, 5, 1, 10, 0, 0)})));
  testing::write_file(bdmv / "STREAM/00000.MTS", testing::build_stream(gps_clip()));
  const testing::ProgramResult result =
      testing::run_zelvok_in_locale({"--camera", "card"}, folder.path, {"ZELVOK_LANG=en"});
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(
      testing::read_file(bdmv / "STREAM/00000.srt"),
      cue(1, "00:00:00,000", "00:00:01,000", "2019/05/01 10:00:00\r\nF2.6  1/50  9dB  AWB  AUTO"));
}

// ExifTool, reading the same clip, finds the positions the texts show.
TEST(CameraRunTest, ExiftoolReadsThePositions) {
  ZELVOK_REQUIRE(std::system("exiftool -ver > /dev/null 2>&1") == 0, "ExifTool");
  testing::TempFolder folder;
  testing::write_file(folder.path / "clip.mts", testing::build_stream(gps_clip()));
  // The first value of each tag, as ExifTool lists every frame's.
  const auto first_value = [&](const char* tag) {
    const testing::ProgramResult read =
        testing::run_program({"exiftool", "-ee", "-n", "-s3", tag, "clip.mts"}, folder.path);
    std::istringstream lines(read.output);
    double value = 0;
    lines >> value;
    return value;
  };
  EXPECT_NEAR(first_value("-GPSLatitude"), 48.1367611, 5e-8);
  EXPECT_NEAR(first_value("-GPSLongitude"), 11.5824417, 5e-8);
}

TEST(CameraRunTest, APlaylistIsRefused) {
  testing::TempFolder folder;
  testing::write_file(folder.path / "00000.mpls", testing::build_playlist(testing::playlist_of(
                                                      {testing::clip("00000", 1000)},
                                                      {testing::scene_at(2019, 5, 1, 10, 0, 0)})));
  const testing::ProgramResult result =
      testing::run_zelvok_in_locale({"--gpx", "00000.mpls"}, folder.path, {"ZELVOK_LANG=en"});
  EXPECT_EQ(result.output,
            "\n Input file: [00000.mpls]\n\n"
            " --camera, --gps and --gpx apply only to clips and folders. Stopping.\n");
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"00000.mpls"});
}

}  // namespace
}  // namespace zelvok
