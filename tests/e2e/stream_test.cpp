// The built program on clip streams whose playlist is gone, and the stream
// builder checked against two independent readers: ffprobe for the packets
// and their times, ExifTool for the camera's date.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/stream_builder.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::sjis;

std::string name_line(const std::string& name) {
  return sjis(messages::kInputName, name);
}

bool has_tool(const char* check) {
  return std::system(check) == 0;
}

TEST(StreamRunTest, AClipIsDatedFromItsOwnFrames) {
  testing::TempFolder folder;
  testing::write_file(folder.path / "my.clip.m2ts", testing::build_stream(testing::ticking_clip()));
  const testing::ProgramResult result = testing::run_zelvok({"my.clip.m2ts"}, folder.path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, name_line("my.clip.m2ts") + sjis(messages::kPlayItemCount, "1") +
                               " PlayItem AV Stream FileName = [my.clip.m2ts],  [my.clip.srt]\n" +
                               sjis(messages::kRecordingDate, "2021/01/17 17:33:16"));
  const std::string cues =
      "1\r\n00:00:00,000 --> 00:00:00,520\r\n2021/01/17 17:33:16\r\n\r\n"
      "2\r\n00:00:00,520 --> 00:00:01,440\r\n2021/01/17 17:33:17\r\n\r\n";
  EXPECT_EQ(testing::read_file(folder.path / "my.clip.srt"), cues);
  EXPECT_EQ(testing::read_file(folder.path / "playlist.srt"), cues);
  const testing::ProgramResult zoned = testing::run_zelvok(
      {"--format=%H:%M:%S %z", "--zone=+9:00", "-o", "all.srt", "my.clip.m2ts"}, folder.path);
  EXPECT_EQ(zoned.status, 0);
  EXPECT_EQ(testing::read_file(folder.path / "all.srt"),
            "1\r\n00:00:00,000 --> 00:00:00,520\r\n23:33:16 +09:00\r\n\r\n"
            "2\r\n00:00:00,520 --> 00:00:01,440\r\n23:33:17 +09:00\r\n\r\n");
}

// The head of a real Canon clip: one frame, so a clip of length 0.
TEST(StreamRunTest, TheRealCameraHeadDatesAClipOfNoLength) {
  const fs::path sample = fs::path(ZELVOK_SAMPLES_DIR) / "exiftool_t_images_M2TS.mts";
  ZELVOK_REQUIRE(fs::exists(sample), "the real clip beside the checkout");
  testing::TempFolder folder;
  fs::copy_file(sample, folder.path / "00000.MTS");
  const testing::ProgramResult result = testing::run_zelvok({"00000.MTS"}, folder.path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, name_line("00000.MTS") + sjis(messages::kPlayItemCount, "1") +
                               " PlayItem AV Stream FileName = [00000.MTS],  [00000.srt]\n" +
                               sjis(messages::kRecordingDate, "2008/12/31 23:16:24"));
  EXPECT_EQ(testing::read_file(folder.path / "00000.srt"), "");
  EXPECT_EQ(testing::read_file(folder.path / "playlist.srt"), "");
}

struct RefusedStream {
  const char* what;
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> options;
  std::string after_name;  // what follows the name line
  std::vector<std::string> files;
};

TEST(StreamRunTest, RefusalsAndWhatIsNoStream) {
  testing::StreamPlan undated = testing::ticking_clip();
  for (testing::FramePlan& frame : undated.frames) {
    frame.sei.clear();
  }
  std::vector<std::uint8_t> one_packet(200, 0x00);
  one_packet[0] = 0x47;
  const RefusedStream cases[] = {
      {"no date", testing::build_stream(undated), {}, sjis(messages::kNoStreamDate), {}},
      {"one packet, no video", one_packet, {}, sjis(messages::kNoStreamDate), {}},
      {"no whole packet",
       std::vector<std::uint8_t>(187, 0x47),
       {},
       sjis(messages::kNotPlaylist),
       {}},
      {"the input as output",
       testing::build_stream(testing::ticking_clip()),
       {"-o", "in.MTS"},
       sjis(messages::kPlayItemCount, "1") + sjis(messages::kOutputOpenFailed, "in.MTS"),
       {}}};
  for (const RefusedStream& refused : cases) {
    testing::TempFolder folder;
    testing::write_file(folder.path / "in.MTS", refused.bytes);
    std::vector<std::string> arguments = refused.options;
    arguments.emplace_back("in.MTS");
    const testing::ProgramResult result = testing::run_zelvok(arguments, folder.path);
    EXPECT_EQ(result.status, 255) << refused.what;
    EXPECT_EQ(result.output, name_line("in.MTS") + refused.after_name) << refused.what;
    EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"in.MTS"}) << refused.what;
  }
}

// ffprobe reads the video packets of a built stream with the PTS the plan
// gave them, in file order, for both packet sizes.
TEST(StreamBuilderTest, FfprobeReadsThePlannedTimes) {
  ZELVOK_REQUIRE(has_tool("ffprobe -version > /dev/null 2>&1"), "ffprobe");
  for (const std::size_t packet_size : {192, 188}) {
    testing::StreamPlan plan = testing::ticking_clip();
    plan.packet_size = packet_size;
    plan.frames[0].header_runs_on = true;
    testing::TempFolder folder;
    testing::write_file(folder.path / "clip.ts", testing::build_stream(plan));
    const testing::ProgramResult probe =
        testing::run_program({"ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                              "packet=pts", "-of", "csv=p=0", "clip.ts"},
                             folder.path);
    std::vector<std::string> found;
    std::istringstream lines(probe.output);
    for (std::string line; std::getline(lines, line);) {
      line.resize(std::min(line.size(), line.find(',')));
      // The second field of a frame, which ffprobe splits off, has no time.
      if (!line.empty() && line != "N/A") {
        found.push_back(line);
      }
    }
    std::vector<std::string> planned;
    for (const testing::FramePlan& frame : plan.frames) {
      planned.push_back(std::to_string(frame.pts));
    }
    EXPECT_EQ(found, planned) << packet_size;
  }
}

// ExifTool finds the date and zone the plan put in every frame.
TEST(StreamBuilderTest, ExiftoolReadsThePlannedDate) {
  ZELVOK_REQUIRE(has_tool("exiftool -ver > /dev/null 2>&1"), "ExifTool");
  testing::TempFolder folder;
  testing::write_file(folder.path / "clip.mts", testing::build_stream(testing::ticking_clip()));
  const testing::ProgramResult read = testing::run_program(
      {"exiftool", "-ee", "-s3", "-DateTimeOriginal", "clip.mts"}, folder.path);
  std::istringstream lines(read.output);
  std::string first;
  std::getline(lines, first);
  EXPECT_EQ(first, "2021:01:17 17:33:16+03:00 DST");
}

}  // namespace
}  // namespace zelvok
