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

bool has_tool(const char* check) {
  return std::system(check) == 0;
}

// A clip named alone is dated as one clip of a folder run: its subtitle file
// beside it, no whole-playlist file. The lines are typed in English as a user
// is promised to see them.
testing::ProgramResult run_english(const std::vector<std::string>& arguments,
                                   const fs::path& folder) {
  return testing::run_zelvok_in_locale(arguments, folder, {"ZELVOK_LANG=en"});
}

std::string clip_lines(const std::string& clip, const std::string& subtitle) {
  return "\n Input file: [" + clip + "]\n\n PlayItem AV Stream FileName = [" + clip + "],  [" +
         subtitle + "]\n";
}

std::string summary(const char* counts) {
  return std::string("\n Clips: [1]; written ") + counts + "\n";
}

TEST(StreamRunTest, AClipIsDatedFromItsOwnFrames) {
  testing::TempFolder folder;
  testing::write_file(folder.path / "my.clip.m2ts", testing::build_stream(testing::ticking_clip()));
  const testing::ProgramResult result = run_english({"my.clip.m2ts"}, folder.path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output,
            clip_lines("my.clip.m2ts", "my.clip.srt") +
                "          Recorded at [2021/01/17 17:33:16]\n" +
                summary("[1] (from playlists 0, from streams 1); already there [0]; failed [0]"));
  EXPECT_EQ(testing::read_file(folder.path / "my.clip.srt"),
            "1\r\n00:00:00,000 --> 00:00:00,520\r\n2021/01/17 17:33:16\r\n\r\n"
            "2\r\n00:00:00,520 --> 00:00:01,440\r\n2021/01/17 17:33:17\r\n\r\n");
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"my.clip.m2ts", "my.clip.srt"}));
  const testing::ProgramResult zoned = run_english(
      {"--format=%H:%M:%S %z", "--zone=+9:00", "--overwrite", "my.clip.m2ts"}, folder.path);
  EXPECT_EQ(zoned.status, 0);
  EXPECT_EQ(testing::read_file(folder.path / "my.clip.srt"),
            "1\r\n00:00:00,000 --> 00:00:00,520\r\n23:33:16 +09:00\r\n\r\n"
            "2\r\n00:00:00,520 --> 00:00:01,440\r\n23:33:17 +09:00\r\n\r\n");
}

// The head of a real Canon clip: one frame, so a clip of length 0, whose
// subtitle file would hold nothing: it gets none, and fails.
TEST(StreamRunTest, TheRealCameraHeadIsAClipOfNoLength) {
  const fs::path sample = fs::path(ZELVOK_SAMPLES_DIR) / "exiftool_t_images_M2TS.mts";
  ZELVOK_REQUIRE(fs::exists(sample), "the real clip beside the checkout");
  testing::TempFolder folder;
  fs::copy_file(sample, folder.path / "00000.MTS");
  const testing::ProgramResult result = run_english({"00000.MTS"}, folder.path);
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.output,
            clip_lines("00000.MTS", "00000.srt") + "          Recorded at [2008/12/31 23:16:24]\n" +
                " Nothing to show for this clip: no subtitle file written.\n" +
                summary("[0] (from playlists 0, from streams 0); already there [0]; failed [1]") +
                " Failed clip: [00000.MTS]\n");
  EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"00000.MTS"});
}

struct RefusedStream {
  const char* what;
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> options;
  std::string after_name;  // what follows the name line
};

// A clip named alone that cannot be dated fails as a clip; options that only
// a playlist takes are refused. Nothing is written.
TEST(StreamRunTest, RefusalsAndWhatIsNoStream) {
  testing::StreamPlan undated = testing::ticking_clip();
  for (testing::FramePlan& frame : undated.frames) {
    frame.sei.clear();
  }
  std::vector<std::uint8_t> one_packet(200, 0x00);
  one_packet[0] = 0x47;
  const std::string undated_lines =
      " PlayItem AV Stream FileName = [in.MTS],  [in.srt]\n"
      " No recording date can be read from the clip.\n" +
      summary("[0] (from playlists 0, from streams 0); already there [0]; failed [1]") +
      " Failed clip: [in.MTS]\n";
  const RefusedStream cases[] = {
      {"no date", testing::build_stream(undated), {}, undated_lines},
      {"one packet, no video", one_packet, {}, undated_lines},
      {"no whole packet", std::vector<std::uint8_t>(187, 0x47), {}, undated_lines},
      {"empty", {}, {}, undated_lines},
      {"-o",
       testing::build_stream(testing::ticking_clip()),
       {"-o", "in.MTS"},
       " -s, -e and -o apply only to a playlist. Stopping.\n"}};
  for (const RefusedStream& refused : cases) {
    testing::TempFolder folder;
    testing::write_file(folder.path / "in.MTS", refused.bytes);
    std::vector<std::string> arguments = refused.options;
    arguments.emplace_back("in.MTS");
    const testing::ProgramResult result = run_english(arguments, folder.path);
    EXPECT_EQ(result.status, 255) << refused.what;
    EXPECT_EQ(result.output, "\n Input file: [in.MTS]\n\n" + refused.after_name) << refused.what;
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
