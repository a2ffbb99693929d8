// --mkv: the dates as a subtitle track inside a copy of the clip, made by
// ffmpeg. The clips are real H.264 and AC-3 that ffmpeg encodes from its test
// sources, dated as a camera dates them (MDPM tags in an SEI message), with
// the traits that move a muxed track: sound starting before the picture, no
// sound, B-frames presented before the first frame in the file, both packet
// sizes. ffprobe then reads the packets of the MKV.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;

// The Windows build under wine would need a Windows ffmpeg, which Debian
// does not ship: its --mkv is not tested here.
#define ZELVOK_NEEDS_FFMPEG()                                          \
  if (testing::testing_windows_build()) {                              \
    GTEST_SKIP() << "no ffmpeg for the Windows build on this machine"; \
  }                                                                    \
  ZELVOK_REQUIRE(has_tools(), "ffmpeg and ffprobe")

bool has_tools() {
  return std::system("ffmpeg -version > /dev/null 2>&1") == 0 &&
         std::system("ffprobe -version > /dev/null 2>&1") == 0;
}

struct ScopedVariable {
  ScopedVariable(const char* name, const char* value) : name_(name) { setenv(name, value, 1); }
  ~ScopedVariable() { unsetenv(name_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
};

struct ClipTraits {
  const char* what;
  bool sound;
  double sound_early;  // seconds the sound starts before the picture
  bool stamped;        // 192-byte packets (an arrival time stamp before each)
};

// A clip of three seconds dated 2021/01/17 17:33:16 at +03:00.
void make_clip(const fs::path& folder, const std::string& name, const ClipTraits& traits) {
  const std::string mdpm = "MDPM\x02\x18\x46\x20\x21\x01\x19\x17\x17\x33\x16";
  std::vector<std::string> command = {
      "ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25"};
  if (traits.sound) {
    command.insert(command.end(), {"-itsoffset", std::to_string(-traits.sound_early), "-f", "lavfi",
                                   "-i", "sine=frequency=440:sample_rate=48000", "-c:a", "ac3"});
  }
  // One GOP: ffmpeg's SEI filter leaves later key frames without a time.
  command.insert(command.end(),
                 {"-t", "3", "-c:v", "libx264", "-bf", "2", "-g", "1000", "-bsf:v",
                  "h264_metadata=sei_user_data=17ee8c60-f84d-11d9-8cd6-0800200c9a66+" + mdpm, "-f",
                  "mpegts", "-mpegts_m2ts_mode", traits.stamped ? "1" : "0", name});
  ASSERT_EQ(testing::run_program(command, folder).status, 0);
}

struct Packet {
  int stream;
  double time;
};

std::vector<Packet> packets(const fs::path& folder, const std::string& name) {
  const testing::ProgramResult probed =
      testing::run_program({"ffprobe", "-v", "error", "-show_entries",
                            "packet=stream_index,pts_time", "-of", "csv=p=0", name},
                           folder);
  std::vector<Packet> found;
  std::istringstream lines(probed.output);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t comma = line.find(',');
    if (comma != std::string::npos && line.substr(comma + 1, 3) != "N/A") {
      found.push_back({std::stoi(line.substr(0, comma)), std::stod(line.substr(comma + 1))});
    }
  }
  return found;
}

class MkvAlignmentTest : public ::testing::TestWithParam<ClipTraits> {};

// Every cue starts, after the first frame shown, where the subtitle file
// puts it after the clip's start: here at 0, 1 and 2 seconds.
TEST_P(MkvAlignmentTest, CuesStartWhereTheSubtitleFileSays) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", GetParam());
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.mkv", "00000.srt", "playlist.srt"}));
  // Neither ffmpeg's output nor the progress line reaches a pipe.
  EXPECT_TRUE(result.output.ends_with("          Recorded at [2021/01/17 17:33:16]\n"))
      << result.output;
  EXPECT_EQ(result.errors, "");
  const std::vector<Packet> muxed = packets(folder.path, "00000.mkv");
  double first_shown = 1e9;
  std::vector<double> cues;
  for (const Packet& packet : muxed) {
    if (packet.stream == 0) {
      first_shown = std::min(first_shown, packet.time);
    }
    if (packet.stream == (GetParam().sound ? 2 : 1)) {
      cues.push_back(packet.time);
    }
  }
  ASSERT_EQ(cues.size(), 3u);
  for (std::size_t k = 0; k < cues.size(); ++k) {
    EXPECT_NEAR(cues[k] - first_shown, static_cast<double>(k), 0.0015) << k;
  }
  const testing::ProgramResult streams =
      testing::run_program({"ffprobe", "-v", "error", "-show_entries",
                            "stream=codec_type:stream_tags=title:stream_disposition=default", "-of",
                            "csv=p=0", "00000.mkv"},
                           folder.path);
  EXPECT_EQ(streams.output, std::string("video,1\n") + (GetParam().sound ? "audio,1\n" : "") +
                                "subtitle,0,Recording date\n");
}

INSTANTIATE_TEST_SUITE_P(Traits, MkvAlignmentTest,
                         ::testing::Values(ClipTraits{"sound_early", true, 0.4, true},
                                           ClipTraits{"no_sound", false, 0, true},
                                           ClipTraits{"packets_of_188", true, 0, false}),
                         [](const ::testing::TestParamInfo<ClipTraits>& param_info) {
                           return std::string(param_info.param.what);
                         });

// What is refused before anything is written, and a failing ffmpeg that
// leaves no part of an MKV.
TEST(MkvRefusalTest, NothingHalfMade) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", ClipTraits{"", true, 0, true});
  const std::string name_line = "\n Input file: [00000.MTS]\n\n";
  {
    const ScopedVariable missing("ZELVOK_FFMPEG", "/nonexistent/ffmpeg");
    const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
    EXPECT_EQ(result.output, name_line + " --mkv needs ffmpeg, which was not found. Stopping.\n");
    EXPECT_EQ(result.status, 255);
  }
  {
    const ScopedVariable failing("ZELVOK_FFMPEG", "/bin/false");
    const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
    EXPECT_TRUE(result.output.ends_with(" ffmpeg could not make the MKV (00000.mkv).\n"))
        << result.output;
    EXPECT_EQ(result.status, 255);
  }
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.srt", "playlist.srt"}));
  testing::write_file(folder.path / "00000.mkv", std::vector<std::uint8_t>{'m', 'i', 'n', 'e'});
  fs::remove(folder.path / "00000.srt");
  const testing::ProgramResult there = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  EXPECT_EQ(there.output, name_line + " Output file (00000.mkv) is already there. Stopping.\n");
  EXPECT_FALSE(fs::exists(folder.path / "00000.srt"));
  EXPECT_EQ(testing::read_file(folder.path / "00000.mkv"), "mine");
  testing::write_file(folder.path / "a.mpls", std::vector<std::uint8_t>{'M', 'P', 'L', 'S'});
  EXPECT_EQ(testing::run_zelvok({"--mkv", "a.mpls"}, folder.path).output,
            "\n Input file: [a.mpls]\n\n --mkv applies only to a clip or a folder. Stopping.\n");
}

// The real Canon head holds one frame and a cut AC-3 frame: ffmpeg cannot
// copy it, and the failure leaves the subtitle files and no part of an MKV.
TEST(MkvRefusalTest, TheRealCanonHeadFailsCleanly) {
  ZELVOK_NEEDS_FFMPEG();
  const fs::path sample = fs::path(ZELVOK_SAMPLES_DIR) / "exiftool_t_images_M2TS.mts";
  ZELVOK_REQUIRE(fs::exists(sample), "the real Canon clip head beside the checkout");
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  fs::copy_file(sample, folder.path / "00000.MTS");
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  EXPECT_NE(result.output.find("          Recorded at [2008/12/31 23:16:24]\n"
                               " ffmpeg could not make the MKV (00000.mkv).\n"),
            std::string::npos)
      << result.output;
  EXPECT_EQ(result.status, 255);
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.srt", "playlist.srt"}));
}

// In a folder run each clip dated gets its MKV beside its subtitle file.
TEST(MkvFolderTest, EachClipGetsItsMkv) {
  ZELVOK_NEEDS_FFMPEG();
  testing::TempFolder folder;
  fs::create_directories(folder.path / "card");
  make_clip(folder.path / "card", "00000.MTS", ClipTraits{"", true, 0.2, true});
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "card"}, folder.path);
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::files_in(folder.path / "card"),
            (std::vector<std::string>{"00000.MTS", "00000.mkv", "00000.srt"}));
}

// On a terminal one line shows how far the MKV has come, rewritten in place
// and cleared at the end.
TEST(MkvProgressTest, ATerminalSeesOneLineOfProgress) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", ClipTraits{"", true, 0, true});
  const std::string shown =
      testing::run_zelvok_on_terminal({"--mkv", "00000.MTS"}, folder.path, {"LANG=C"});
  EXPECT_NE(shown.find(" MKV 100%\r MKV     \r"), std::string::npos) << shown;
  EXPECT_TRUE(fs::exists(folder.path / "00000.mkv"));
}

}  // namespace
}  // namespace zelvok
