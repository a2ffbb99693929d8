// --mkv: the dates as a subtitle track inside a copy of the clip, made by
// ffmpeg. The clips are real H.264 and AC-3 that ffmpeg encodes from its test
// sources, dated as a camera dates them (MDPM tags in an SEI message), with
// the traits that move a muxed track: sound starting before the picture, no
// sound, B-frames presented before the first frame in the file, both packet
// sizes. ffprobe then reads the packets of the MKV. Stand-ins for ffmpeg
// that fail, hang or write half a file show that nothing half-made is left.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/encoded_clip.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::ClipTraits;
using testing::duration_of;
using testing::kPlainClip;
using testing::make_clip;
using testing::Packet;
using testing::packets;
using testing::ScopedVariable;
using testing::stand_in;

std::string summary(const char* clips, const char* mkv) {
  return std::string("\n Clips: [1]; written ") + clips + "\n MKV: " + mkv + "\n";
}

class MkvAlignmentTest : public ::testing::TestWithParam<ClipTraits> {};

// Every cue starts, after the first frame shown, where the subtitle file
// puts it after the clip's start: here at 0, 1 and 2 seconds; and the
// file's timeline starts at zero, whatever the clip's clock.
TEST_P(MkvAlignmentTest, CuesStartWhereTheSubtitleFileSays) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", GetParam());
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.mkv", "00000.srt"}));
  // Neither ffmpeg's output nor the progress line reaches a pipe.
  EXPECT_TRUE(result.output.ends_with(
      "          Recorded at [2021/01/17 17:33:16]\n MKV made: [00000.mkv]\n" +
      summary("[1] (from playlists 0, from streams 1); already there [0]; failed [0]",
              "made [1]; already there [0]; failed [0]")))
      << result.output;
  EXPECT_EQ(result.errors, "");
  const testing::Timeline muxed =
      testing::timeline_of(folder.path, "00000.mkv", GetParam().sound ? 2 : 1);
  EXPECT_NEAR(muxed.first, 0.0, 0.0015);
  ASSERT_EQ(muxed.cues.size(), 3u);
  for (std::size_t k = 0; k < muxed.cues.size(); ++k) {
    EXPECT_NEAR(muxed.cues[k] - muxed.first_shown, static_cast<double>(k), 0.0015) << k;
  }
  // Three seconds of picture, within a frame, and the sound's lead.
  const double duration = duration_of(folder.path, "00000.mkv");
  EXPECT_GE(duration, 3.0 + GetParam().sound_early - 0.001);
  EXPECT_LE(duration, 3.0 + GetParam().sound_early + 0.041);
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

// The MKV's temporary, the last argument, as ffmpeg gets it: a file URL.
constexpr const char* kLastArgument = "for last; do :; done; out=${last#file:}; ";

struct StandInCase {
  const char* what;
  std::string script;  // the stand-in's body; empty for ffmpeg missing
  std::string after;   // what follows the clip's date line
  bool subtitle_made;  // the subtitle file is written before ffmpeg runs
};

// Whatever ffmpeg does, its exit status decides, a failure leaves no part of
// an MKV nor any temporary, and the console gets at most its last three
// lines, each cut to 500 bytes, however it wrote them.
TEST(MkvStandInTest, NothingHalfMadeIsLeft) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  const std::string failed = " ffmpeg could not make the MKV (00000.mkv).\n";
  const StandInCase cases[] = {
      {"exits 1", "#!/bin/sh\nexit 1\n", failed, true},
      {"half a file, then 1",
       std::string("#!/bin/sh\n") + kLastArgument + "echo half > \"$out\"; exit 1\n", failed, true},
      {"no MKV, exit 0", "#!/bin/sh\n" + std::string(kLastArgument) + "rm -f \"$out\"\n", failed,
       true},
      {"a folder in its place, exit 0",
       "#!/bin/sh\n" + std::string(kLastArgument) + "rm -f \"$out\"; mkdir \"$out\"\n", failed,
       true},
      {"errors without line feeds",
       "#!/bin/sh\necho one >&2; echo two; echo three >&2; printf 'frame=1\\n';"
       " head -c 1048576 /dev/zero | tr '\\0' x >&2; exit 1\n",
       failed + "   two\n   three\n   " + std::string(500, 'x') + "\n", true},
  };
  for (const StandInCase& c : cases) {
    testing::TempFolder folder;
    make_clip(folder.path, "00000.MTS", kPlainClip);
    const std::string ffmpeg = stand_in(folder.path, c.script);
    const ScopedVariable english("ZELVOK_LANG", "en");
    const ScopedVariable standing_in("ZELVOK_FFMPEG", ffmpeg.c_str());
    const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
    EXPECT_EQ(result.status, 255) << c.what;
    EXPECT_TRUE(result.output.ends_with(
        "          Recorded at [2021/01/17 17:33:16]\n" + c.after +
        summary("[0] (from playlists 0, from streams 0); already there [0]; failed [1]",
                "made [0]; already there [0]; failed [1]") +
        " Failed clip: [00000.MTS]\n"))
        << c.what << ": " << result.output.substr(0, 2000);
    fs::remove(ffmpeg);
    EXPECT_EQ(testing::files_in(folder.path), (std::vector<std::string>{"00000.MTS", "00000.srt"}))
        << c.what;
  }
}

// A rerun makes what is missing and leaves what is there: the MKV after a
// plain run, from this run's own cues; --overwrite remakes an MKV, never the
// clip itself; and ffmpeg missing stops the run before anything is written.
TEST(MkvRerunTest, EachOutputIsCheckedOnItsOwn) {
  ZELVOK_NEEDS_FFMPEG();
  const ScopedVariable english("ZELVOK_LANG", "en");
  testing::TempFolder folder;
  make_clip(folder.path, "00000.MTS", kPlainClip);
  {
    const ScopedVariable missing("ZELVOK_FFMPEG", "/nonexistent/ffmpeg");
    const testing::ProgramResult result = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
    EXPECT_EQ(result.output,
              "\n Input file: [00000.MTS]\n\n"
              " --mkv needs ffmpeg, which was not found. Stopping.\n");
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(testing::files_in(folder.path), std::vector<std::string>{"00000.MTS"});
  }
  // The user's own subtitle file is left, and not what the MKV shows.
  testing::write_file(folder.path / "00000.srt", std::vector<std::uint8_t>{'m', 'i', 'n', 'e'});
  const std::string lines =
      "\n Input file: [00000.MTS]\n\n"
      " PlayItem AV Stream FileName = [00000.MTS],  [00000.srt]\n"
      " A subtitle file is already there: left as it is.\n";
  const testing::ProgramResult made = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  EXPECT_EQ(made.output, lines + " MKV made: [00000.mkv]\n" +
                             summary("[1] (from playlists 0, from streams 1); already there [0]; "
                                     "failed [0]",
                                     "made [1]; already there [0]; failed [0]"));
  EXPECT_EQ(made.status, 0);
  const std::vector<Packet> muxed = packets(folder.path, "00000.mkv");
  EXPECT_EQ(std::count_if(muxed.begin(), muxed.end(),
                          [](const Packet& packet) { return packet.stream == 2; }),
            3);  // this run's three cues
  const testing::ProgramResult there = testing::run_zelvok({"--mkv", "00000.MTS"}, folder.path);
  EXPECT_EQ(there.output, lines + " MKV already there, left as it is: [00000.mkv]\n" +
                              summary("[0] (from playlists 0, from streams 0); already there [1]; "
                                      "failed [0]",
                                      "made [0]; already there [1]; failed [0]"));
  testing::write_file(folder.path / "00000.mkv", std::vector<std::uint8_t>{'o', 'l', 'd'});
  const testing::ProgramResult again =
      testing::run_zelvok({"--mkv", "--overwrite", "00000.MTS"}, folder.path);
  EXPECT_EQ(again.status, 0) << again.output;
  EXPECT_GT(fs::file_size(folder.path / "00000.mkv"), 1000u);
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.MTS", "00000.mkv", "00000.srt"}));
}

// Names that ffmpeg would read as protocols are files to it: a folder
// "file:cam" is not the folder "cam".
TEST(MkvRerunTest, NamesAreFilesNotProtocols) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  testing::TempFolder folder;
  fs::create_directories(folder.path / "file:cam");
  make_clip(folder.path / "file:cam", "00000.MTS", kPlainClip);
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "file:cam"}, folder.path);
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(fs::exists(folder.path / "file:cam/00000.mkv"));
}

// Interrupted while ffmpeg runs, the run stops ffmpeg, waits for it, removes
// every temporary, and ends by the signal.
TEST(MkvInterruptTest, TheRunStopsFfmpegAndLeavesNothing) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    testing::TempFolder folder;
    make_clip(folder.path, "00000.MTS", kPlainClip);
    const fs::path started = folder.path / "started";
    const std::string ffmpeg = stand_in(folder.path, "#!/bin/sh\necho $$ > " + started.string() +
                                                         ".new; mv " + started.string() + ".new " +
                                                         started.string() + "; exec sleep 60\n");
    const ScopedVariable standing_in("ZELVOK_FFMPEG", ffmpeg.c_str());
    const int zelvok = testing::start_zelvok({"--mkv", "00000.MTS"}, folder.path);
    for (int wait = 0; wait < 1000 && !fs::exists(started); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::exists(started));
    const int child = std::stoi(testing::read_file(started));
    kill(zelvok, signal_number);
    EXPECT_EQ(testing::wait_for_program(zelvok), 1000 + signal_number);
    const bool still_running = kill(child, 0) == 0;
    EXPECT_FALSE(still_running) << signal_number;
    if (still_running) {
      kill(child, SIGKILL);
    }
    fs::remove(started);
    fs::remove(ffmpeg);
    EXPECT_EQ(testing::files_in(folder.path), (std::vector<std::string>{"00000.MTS", "00000.srt"}))
        << signal_number;
  }
}

// In a folder run each clip dated gets its MKV beside its subtitle file.
TEST(MkvFolderTest, EachClipGetsItsMkv) {
  ZELVOK_NEEDS_FFMPEG();
  testing::TempFolder folder;
  fs::create_directories(folder.path / "card");
  make_clip(folder.path / "card", "00000.MTS", ClipTraits{"sound_early", true, 0.4, true});
  const testing::ProgramResult result = testing::run_zelvok({"--mkv", "card"}, folder.path);
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::files_in(folder.path / "card"),
            (std::vector<std::string>{"00000.MTS", "00000.mkv", "00000.srt"}));
}

// On a terminal one line shows how far the MKV or the MP4 has come,
// rewritten in place and cleared at the end.
TEST(MkvProgressTest, ATerminalSeesOneLineOfProgress) {
  ZELVOK_NEEDS_FFMPEG();
  ZELVOK_POSIX_ONLY();
  const std::array<const char*, 3> kinds[] = {{"--mkv", "MKV", "00000.mkv"},
                                              {"--burn", "MP4", "00000.mp4"}};
  for (const auto& [option, kind, made] : kinds) {
    testing::TempFolder folder;
    make_clip(folder.path, "00000.MTS", kPlainClip);
    const std::string shown =
        testing::run_zelvok_on_terminal({option, "00000.MTS"}, folder.path, {"LANG=C"});
    const std::string line = std::string(" ") + kind + " ";
    const std::string end = line + "100%\r";
    EXPECT_NE(shown.find(end + line + "    \r"), std::string::npos) << shown;
    EXPECT_TRUE(fs::exists(folder.path / made));
  }
}

}  // namespace
}  // namespace zelvok
