// --mp4 and --burn: the clip for phones and TVs, and the dates drawn into
// its picture; and the creation time that both the MKV and the MP4 carry.
// The clips are encoded by ffmpeg (support/encoded_clip); ffprobe, ExifTool
// and mkvinfo read back what was made, and a decoded frame's pixels show
// where the text was drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/encoded_clip.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::ClipTraits;
using testing::make_clip;
using testing::probe;
using testing::ScopedVariable;

std::string summary(const char* clips, const char* mp4) {
  return std::string("\n Clips: [1]; written ") + clips + "\n MP4: " + mp4 + "\n";
}

// What ffprobe shows of the MP4's sound: AAC, its channels kept, 5.1 in
// AAC's own layout.
std::string sound_line(const ClipTraits& traits) {
  if (!traits.sound) {
    return "";
  }
  return traits.channels == 6 ? "aac,6,5.1,SoundHandler\n" : "aac,1,mono,SoundHandler\n";
}

class Mp4AlignmentTest : public ::testing::TestWithParam<ClipTraits> {};

// Every cue starts, after the first frame shown, where the subtitle file
// puts it; the file starts at zero and lasts as the clip does; the sound is
// AAC; the index comes before the media.
TEST_P(Mp4AlignmentTest, CuesStartWhereTheSubtitleFileSays) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", GetParam());
  const testing::ProgramResult result = testing::run_zelvok({"--mp4", "00000.MTS"}, folder.path);
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.mp4", "00000.srt"}));
  EXPECT_TRUE(result.output.ends_with(
      "          Recorded at [2021/01/17 17:33:16]\n MP4 made: [00000.mp4]\n" +
      summary("[1] (from playlists 0, from streams 1); already there [0]; failed [0]",
              "made [1]; already there [0]; failed [0]")))
      << result.output;
  const testing::Timeline made =
      testing::timeline_of(folder.path, "00000.mp4", GetParam().sound ? 2 : 1);
  // The picture starts the file; a sound's lead before it stays behind the
  // MP4's edit list.
  EXPECT_NEAR(made.first_shown, 0.0, 0.0015);
  EXPECT_EQ(probe(folder.path, "00000.mp4", "format=start_time"), "0.000000\n");
  ASSERT_EQ(made.cues.size(), 3u);
  for (std::size_t k = 0; k < made.cues.size(); ++k) {
    EXPECT_NEAR(made.cues[k] - made.first_shown, static_cast<double>(k), 0.0015) << k;
  }
  const double duration = testing::duration_of(folder.path, "00000.mp4");
  EXPECT_GE(duration, 3.0 - 0.0015);
  EXPECT_LE(duration, 3.0 + 0.022);  // the sound ends on a whole AAC frame
  EXPECT_EQ(
      probe(folder.path, "00000.mp4",
            "stream=codec_name,channels,channel_layout:stream_tags=handler_name"),
      std::string("h264,VideoHandler\n") + sound_line(GetParam()) + "mov_text,Recording date\n");
  const std::string bytes = testing::read_file(folder.path / "00000.mp4");
  EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
}

INSTANTIATE_TEST_SUITE_P(Traits, Mp4AlignmentTest,
                         ::testing::Values(ClipTraits{"sound_early", true, 0.4, true},
                                           ClipTraits{"no_sound", false, 0, true},
                                           ClipTraits{"surround", true, 0, false,
                                                      "testsrc=size=320x240:rate=25", false, 0x46,
                                                      6}),
                         [](const ::testing::TestParamInfo<ClipTraits>& param_info) {
                           return std::string(param_info.param.what);
                         });

// The instant the first frame was filmed, with --shift and without --zone,
// as photo libraries read it; none where the camera recorded no zone, and
// the console says so once.
TEST(CreationTimeTest, TheFirstFramesInstantWhereTheCameraRecordedItsZone) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_REQUIRE(std::system("exiftool -ver > /dev/null 2>&1") == 0 &&
                     std::system("mkvinfo --version > /dev/null 2>&1") == 0,
                 "ExifTool and mkvinfo");
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "zoned.MTS", testing::kPlainClip);  // 17:33:16 at +03:00
  const testing::ProgramResult zoned = testing::run_zelvok(
      {"--mp4", "--mkv", "--shift=+1:00", "--zone=+9:00", "zoned.MTS"}, folder.path);
  ASSERT_EQ(zoned.status, 0) << zoned.output;
  EXPECT_EQ(zoned.output.find("no creation time"), std::string::npos) << zoned.output;
  const auto exif = [&](const char* name) {
    return testing::run_program({"exiftool", "-s3", "-CreateDate", "-CreationDate", name},
                                folder.path)
        .output;
  };
  const auto mkv_date = [&](const char* name) {
    const std::string info = testing::run_program({"mkvinfo", name}, folder.path).output;
    const std::size_t at = info.find("Date: ");
    return at == std::string::npos ? std::string() : info.substr(at, info.find('\n', at) - at);
  };
  EXPECT_EQ(exif("zoned.mp4"), "2021:01:17 15:33:16\n2021:01:17 18:33:16+03:00\n");
  EXPECT_EQ(mkv_date("zoned.mkv"), "Date: 2021-01-17 15:33:16 UTC");
  ClipTraits zoneless = testing::kPlainClip;
  zoneless.what = "zoneless";
  zoneless.zone = 0x1E;
  make_clip(folder.path, "a.MTS", zoneless);
  make_clip(folder.path, "b.MTS", zoneless);
  const testing::ProgramResult unzoned =
      testing::run_zelvok({"--mp4", "--mkv", "a.MTS", "b.MTS"}, folder.path);
  ASSERT_EQ(unzoned.status, 0) << unzoned.output;
  const std::string line = " The camera recorded no time zone: no creation time written.\n";
  const std::size_t told = unzoned.output.find(line);
  EXPECT_NE(told, std::string::npos) << unzoned.output;
  EXPECT_EQ(unzoned.output.find(line, told + 1), std::string::npos) << unzoned.output;
  EXPECT_EQ(exif("a.mp4"), "0000:00:00 00:00:00\n");
  EXPECT_EQ(mkv_date("b.mkv"), "");
}

// The real Sony clip: the MP4's creation date is what ExifTool reads of the
// clip's own first frame.
TEST(CreationTimeTest, TheRealClipsDateAsExifToolReadsIt) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_REQUIRE(std::system("exiftool -ver > /dev/null 2>&1") == 0, "ExifTool");
  const fs::path clip =
      fs::path(ZELVOK_SAMPLES_DIR) / "drewnoakes_metadata-extractor-images_Sony_ILCE-7M3.mts";
  ZELVOK_REQUIRE(fs::exists(clip), "the real clips beside the checkout");
  testing::TempFolder folder;
  fs::copy_file(clip, folder.path / "C0001.MTS");
  ASSERT_EQ(testing::run_zelvok({"--mp4", "C0001.MTS"}, folder.path).status, 0);
  const std::string recorded =
      testing::run_program({"exiftool", "-s3", "-ee", "-DateTimeOriginal", "C0001.MTS"},
                           folder.path)
          .output;
  ASSERT_TRUE(recorded.starts_with("2019:04:24 22:24:00+02:00")) << recorded;
  EXPECT_EQ(testing::run_program({"exiftool", "-s3", "-CreationDate", "-CreateDate", "C0001.mp4"},
                                 folder.path)
                .output,
            recorded.substr(0, 25) + "\n2019:04:24 20:24:00\n");
}

// A frame's pixels as 8-bit grey, W x H.
std::string grey_frame(const fs::path& folder, const std::string& name, int frame) {
  return testing::run_program({"ffmpeg", "-v", "error", "-i", name, "-vf",
                               "select=eq(n\\," + std::to_string(frame) + ")", "-frames:v", "1",
                               "-f", "rawvideo", "-pix_fmt", "gray", "-"},
                              folder)
      .output;
}

// The dates drawn lower right, a twentieth of the height high, a thirtieth
// of it from the right and the bottom edges, and nothing else touched; the
// picture keeps its size, rate and fields, and the soft track stays.
TEST(BurnTest, TheDateIsDrawnLowerRightAndTheRestIsKept) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  ClipTraits grey{"grey_interlaced", true, 0, true, "color=c=0x808080:size=640x360:rate=25", true};
  make_clip(folder.path, "00000.MTS", grey);
  const testing::ProgramResult result = testing::run_zelvok({"--burn", "00000.MTS"}, folder.path);
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(
      probe(folder.path, "00000.mp4", "stream=codec_name,width,height,field_order,r_frame_rate"),
      "h264,640,360,tt,25/1\naac,0/0\nmov_text,N/A,N/A,0/0\n");
  constexpr int kWidth = 640;
  constexpr int kHeight = 360;
  constexpr int kMargin = kHeight / 30;
  constexpr int kText = kHeight / 20;
  const std::string second = grey_frame(folder.path, "00000.mp4", 37);  // 1.48 s: "...:17"
  ASSERT_EQ(second.size(), static_cast<std::size_t>(kWidth * kHeight));
  int left = kWidth;
  int right = 0;
  int top = kHeight;
  int bottom = 0;
  int stray = 0;
  std::size_t at = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int value = static_cast<unsigned char>(second[at++]);
      const bool in_box = x >= kWidth / 2 && y >= kHeight - kMargin - kText - 3;
      if (std::abs(value - 0x80) > 8 && !in_box) {
        ++stray;
      }
      if (value >= 200) {  // the white text, not its outline
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  EXPECT_EQ(stray, 0);
  EXPECT_GE(right, kWidth - kMargin - 4);
  EXPECT_LT(right, kWidth - kMargin);
  EXPECT_LT(bottom, kHeight - kMargin);
  EXPECT_GE(bottom, kHeight - kMargin - kText / 3);
  EXPECT_GE(top, kHeight - kMargin - kText);
  EXPECT_GE(right - left, 5 * kText);  // nineteen characters
  // A second earlier the last digit was another.
  const std::string first = grey_frame(folder.path, "00000.mp4", 12);  // 0.48 s: "...:16"
  const std::size_t last_digit = static_cast<std::size_t>(bottom) * kWidth + right - kText;
  EXPECT_NE(first.substr(last_digit, kText), second.substr(last_digit, kText));
}

// The cues' file reaches the drawing filter whatever its folder is named:
// characters that a filter graph reads as its own are a name's like any
// other.
TEST(BurnTest, AFolderNamedWithTheFilterGraphsCharacters) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  testing::TempFolder folder;
  const fs::path named = folder.path / "Tom's [2021], best; ever:x\\y";
  fs::create_directories(named);
  make_clip(named, "00000.MTS", testing::kPlainClip);
  const testing::ProgramResult result = testing::run_zelvok({"--burn", "."}, folder.path);
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(fs::exists(named / "00000.mp4"));
}

// ffmpeg without what drawing needs stops the run before anything is
// written, and names what it lacks.
TEST(BurnTest, AnFfmpegThatCannotDrawStopsTheRun) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  const ScopedVariable english("ZELVOK_LANG", "en");
  const std::pair<std::string, std::string> cases[] = {
      {"echo ' ... subtitles V->V Render text'; echo ' V....D libx265 x'", "libx264"},
      {"echo ' V....D libx264 libx264 H.264'", "subtitles"},
      {"exit 1", "subtitles, libx264"}};
  for (const auto& [script, lacks] : cases) {
    testing::TempFolder folder;
    make_clip(folder.path, "00000.MTS", testing::kPlainClip);
    const std::string ffmpeg = testing::stand_in(folder.path, "#!/bin/sh\n" + script + "\n");
    const ScopedVariable standing_in("ZELVOK_FFMPEG", ffmpeg.c_str());
    const testing::ProgramResult result = testing::run_zelvok({"--burn", "00000.MTS"}, folder.path);
    EXPECT_EQ(result.output, "\n Input file: [00000.MTS]\n\n ffmpeg lacks what this needs (" +
                                 lacks + "). Stopping.\n");
    EXPECT_EQ(result.status, 255);
    fs::remove(ffmpeg);
    EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"00000.MTS"});
  }
}

}  // namespace
}  // namespace zelvok
