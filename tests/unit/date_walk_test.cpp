// The walk with --format, --zone and --shift, its files kept in memory:
// merged cues, moved stamps, and the refusals that come before any file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/run.h"
#include "messages/messages.h"
#include "playlist/validate.h"
#include "subtitle/produce.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/walk_in_memory.h"

namespace zelvok {
namespace {

using testing::scene_at;

using testing::cue;
using testing::walk;
using testing::walk_bytes;
using testing::Walked;

std::string date_line(const char* date) {
  return render_message(messages::kRecordingDate.japanese, date, ConsoleEncoding::kUtf8);
}

// 150 seconds from 09:30:12: the rest of that minute, one whole minute, and
// half of the next.
TEST(MergedCueTest, OneCueAMinuteWithoutSeconds) {
  const Walked walked = walk(
      testing::playlist_of({testing::clip("00000", 150000)}, {scene_at(2024, 7, 14, 9, 30, 12)}),
      {"--format=%H:%M"});
  ASSERT_TRUE(walked.succeeded);
  const std::string expected = cue(1, "00:00:00,000", "00:00:48,000", "09:30") +
                               cue(2, "00:00:48,000", "00:01:48,000", "09:31") +
                               cue(3, "00:01:48,000", "00:02:30,000", "09:32");
  EXPECT_EQ(walked.files.at("00000.srt"), expected);
  EXPECT_EQ(walked.files.at("playlist.srt"), expected);
  EXPECT_NE(walked.console.find(date_line("2024/07/14 09:30:12")), std::string::npos);
}

// A recording from 09:30:58 split after 30.5 s: the second part's first,
// partial second (09:31:28) merges with the seconds after it, but a clip's
// boundary always starts a new cue.
TEST(MergedCueTest, AContinuationsPartialSecondMerges) {
  const Walked walked =
      walk(testing::recordings_of({{30500, 40000}}, {scene_at(2024, 7, 14, 9, 30, 58)}),
           {"--format=%H:%M"});
  ASSERT_TRUE(walked.succeeded);
  EXPECT_EQ(walked.files.at("00000.srt"), cue(1, "00:00:00,000", "00:00:02,000", "09:30") +
                                              cue(2, "00:00:02,000", "00:00:30,500", "09:31"));
  EXPECT_EQ(walked.files.at("00001.srt"), cue(1, "00:00:00,000", "00:00:31,500", "09:31") +
                                              cue(2, "00:00:31,500", "00:00:40,000", "09:32"));
  EXPECT_EQ(walked.files.at("playlist.srt"), cue(1, "00:00:00,000", "00:00:02,000", "09:30") +
                                                 cue(2, "00:00:02,000", "00:00:30,500", "09:31") +
                                                 cue(3, "00:00:30,500", "00:01:02,000", "09:31") +
                                                 cue(4, "00:01:02,000", "00:01:10,500", "09:32"));
}

// Text that never changes is one cue a clip; the fixed form written out is
// the fixed form, damaged dates included.
TEST(MergedCueTest, TheSameTextIsOneCueAndTheFixedFormIsUnchanged) {
  testing::ScenePlan damaged = scene_at(2008, 1, 1, 23, 59, 58);
  damaged.month = 0x13;
  const testing::PlaylistPlan plan =
      testing::playlist_of({testing::clip("00000", 2500), testing::clip("00001", 3000)},
                           {scene_at(2008, 12, 31, 23, 59, 59), damaged});
  const Walked plain = walk(plan, {});
  const Walked spelled = walk(plan, {"--format", "%Y/%m/%d %H:%M:%S"});
  EXPECT_EQ(spelled.files, plain.files);
  EXPECT_EQ(spelled.console, plain.console);
  const Walked constant = walk(plan, {"--format=Holiday"});
  EXPECT_EQ(constant.files.at("playlist.srt"),
            cue(1, "00:00:00,000", "00:00:02,500", "Holiday") +
                cue(2, "00:00:02,500", "00:00:05,500", "Holiday"));
}

// --zone moves a stamp from its camera's zone (+03:00 here) and after --shift.
TEST(ZoneTest, MovesEveryStampIntoTheZoneAsked) {
  const testing::PlaylistPlan plan =
      testing::playlist_of({testing::clip("00000", 1000)}, {scene_at(2012, 10, 7, 18, 53, 9)});
  const Walked home = walk(plan, {"--zone=+9:00", "--format=%d %H:%M:%S %z"});
  EXPECT_EQ(home.files.at("00000.srt"),
            cue(1, "00:00:00,000", "00:00:01,000", "08 00:53:09 +09:00"));
  EXPECT_NE(home.console.find(date_line("2012/10/08 00:53:09")), std::string::npos);
  const Walked shifted = walk(plan, {"--shift=-1:00", "--zone", "-5:30", "--format=%H:%M:%S %z"});
  EXPECT_EQ(shifted.files.at("00000.srt"),
            cue(1, "00:00:00,000", "00:00:01,000", "09:23:09 -05:30"));
  const Walked camera = walk(plan, {"--format=%z"});
  EXPECT_EQ(camera.files.at("00000.srt"), cue(1, "00:00:00,000", "00:00:01,000", "+03:00"));
}

// A cue's text holds no empty line, and a text with nothing in it makes no
// cue, while the whole playlist's timeline runs on: here the first clip's
// camera recorded no zone.
TEST(CueTextTest, EmptyLinesAndEmptyTextsAreLeftOut) {
  testing::ScenePlan no_zone = scene_at(2012, 10, 7, 18, 53, 9);
  no_zone.zone = 0x1E;
  const testing::PlaylistPlan plan =
      testing::playlist_of({testing::clip("00000", 2000), testing::clip("00001", 1000)},
                           {no_zone, scene_at(2012, 10, 7, 19, 0, 0)});
  const Walked lines = walk(plan, {"--format=%n%H:%M%n%n%z%n"});
  EXPECT_EQ(lines.files.at("00000.srt"), cue(1, "00:00:00,000", "00:00:02,000", "18:53"));
  EXPECT_EQ(lines.files.at("00001.srt"), cue(1, "00:00:00,000", "00:00:01,000", "19:00\r\n+03:00"));
  const Walked zones = walk(plan, {"--format=%z"});
  EXPECT_EQ(zones.files.at("00000.srt"), "");
  EXPECT_EQ(zones.files.at("00001.srt"), cue(1, "00:00:00,000", "00:00:01,000", "+03:00"));
  EXPECT_EQ(zones.files.at("playlist.srt"), cue(1, "00:00:02,000", "00:00:03,000", "+03:00"));
}

// A clip whose camera clock ticks at its very first frame: its first cue
// is the next second's, a whole second long.
TEST(FirstCueTest, AFirstCueOfNoLengthGivesWayToTheNextSecond) {
  Playlist playlist;
  playlist.scenes = {SceneEntry{0x2008, 0x11, 0x30, 0x23, 0x59, 0x59, 0x1E}};
  PlayItem item;
  item.clip_name = "00000";
  item.stream_file = "00000.MTS";
  item.out_time = 2500 * 45;
  item.first_cue_ms = 0;
  playlist.play_items = {item};
  MemoryFiles files;
  std::FILE* quiet = std::fopen("/dev/null", "w");
  ASSERT_TRUE(produce_subtitles_in_memory(OutputPlan{}, playlist,
                                          Console{quiet, ConsoleEncoding::kUtf8}, &files));
  (void)std::fclose(quiet);
  EXPECT_EQ(files.at("00000.srt"),
            cue(1, "00:00:00,000", "00:00:01,000", "2008/12/01 00:00:00") +
                cue(2, "00:00:01,000", "00:00:02,000", "2008/12/01 00:00:01") +
                cue(3, "00:00:02,000", "00:00:02,500", "2008/12/01 00:00:02"));
}

// The worked example as WebVTT, typed from the form: a header, then each
// cue without its number and with a '.' before the milliseconds; a clip of
// no length keeps its header alone.
TEST(WebVttTest, TheWorkedExampleAsWebVtt) {
  const testing::PlaylistPlan plan = testing::playlist_of(
      {testing::clip("00000", 2500), testing::clip("00001", 1000), testing::clip("00002", 0)},
      {scene_at(2008, 11, 30, 23, 59, 59), scene_at(2008, 12, 31, 23, 59, 59),
       scene_at(2009, 1, 1, 0, 0, 0)});
  const Walked walked = walk(plan, {"--vtt"});
  ASSERT_TRUE(walked.succeeded);
  EXPECT_EQ(walked.files.at("playlist.vtt"),
            "WEBVTT\r\n\r\n"
            "00:00:00.000 --> 00:00:01.000\r\n2008/11/30 23:59:59\r\n\r\n"
            "00:00:01.000 --> 00:00:02.000\r\n2008/12/01 00:00:00\r\n\r\n"
            "00:00:02.000 --> 00:00:02.500\r\n2008/12/01 00:00:01\r\n\r\n"
            "00:00:02.500 --> 00:00:03.500\r\n2008/12/31 23:59:59\r\n\r\n");
  EXPECT_EQ(walked.files.at("00001.vtt"),
            "WEBVTT\r\n\r\n00:00:00.000 --> 00:00:01.000\r\n2008/12/31 23:59:59\r\n\r\n");
  EXPECT_EQ(walked.files.at("00002.vtt"), "WEBVTT\r\n\r\n");
  EXPECT_NE(walked.console.find("[00000.m2ts],  [00000.vtt]\n"), std::string::npos);
  EXPECT_EQ(walk(plan, {"--vtt", "-o", "all.srt"}).files.count("all.srt"), 1u);
}

struct RefusalCase {
  std::vector<testing::ScenePlan> scenes;  // one clip each
  std::vector<std::string> options;
  Message message;
};

testing::ScenePlan with_zone(testing::ScenePlan scene, std::uint8_t zone) {
  scene.zone = zone;
  return scene;
}

testing::ScenePlan with_month(testing::ScenePlan scene, std::uint8_t month) {
  scene.month = month;
  return scene;
}

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

// Refusals come after the count line and before any file, PlayItem by
// PlayItem.
TEST_P(RefusalTest, NoFileIsWritten) {
  std::vector<testing::ClipPlan> clips;
  for (std::size_t i = 0; i < GetParam().scenes.size(); ++i) {
    clips.push_back(testing::clip("0000" + std::to_string(i), 1000));
  }
  const Walked walked = walk(testing::playlist_of(clips, GetParam().scenes), GetParam().options);
  EXPECT_FALSE(walked.succeeded);
  EXPECT_EQ(walked.console, GetParam().message.japanese);
  EXPECT_TRUE(walked.files.empty());
}

const testing::ScenePlan kSound = scene_at(2024, 7, 14, 9, 30, 12);
const testing::ScenePlan kThirteenth = with_month(kSound, 0x13);
const testing::ScenePlan kNoZoneScene = with_zone(kSound, 0x1E);

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusalTest,
    ::testing::Values(
        RefusalCase{{kSound, kThirteenth}, {"--format=%a"}, messages::kFormatImpossible},
        RefusalCase{{kThirteenth}, {"--format=%I"}, messages::kFormatImpossible},
        RefusalCase{{kThirteenth}, {"--format=%p %M"}, messages::kFormatImpossible},
        RefusalCase{{kThirteenth}, {"--format=%B", "--shift=0:00"}, messages::kShiftImpossible},
        RefusalCase{{kThirteenth}, {"--format=%b", "--zone=0:00"}, messages::kShiftImpossible},
        RefusalCase{{kSound, kNoZoneScene}, {"--zone=1:00"}, messages::kZoneNotRecorded},
        RefusalCase{{kNoZoneScene, kThirteenth}, {"--zone=1:00"}, messages::kZoneNotRecorded},
        RefusalCase{{kThirteenth, kNoZoneScene}, {"--zone=1:00"}, messages::kShiftImpossible},
        // 9999/12/31 23:30 at +03:00 is 10000/01/01 02:30 at +06:00.
        RefusalCase{
            {scene_at(9999, 12, 31, 23, 30, 0)}, {"--zone=+6:00"}, messages::kShiftImpossible}));

// The two camcorders' own playlists, shown with names and zones: values typed
// from their bytes.
TEST(RealPlaylistFormatTest, NamesAndZonesFromTheCamerasBytes) {
  const std::filesystem::path samples = ZELVOK_SAMPLES_DIR;
  ZELVOK_REQUIRE(std::filesystem::is_directory(samples), "the real playlists beside the checkout");
  const std::pair<const char*, std::pair<const char*, const char*>> firsts[] = {
      {"Jakebutta_verbose-octo-guide_AVCHD_BDMV_PLAYLIST_00000.MPL",
       {"00000.srt", "Sun 07 Oct 2012 18:53:09 -05:00"}},
      {"ElishaAz_AVCHD-Converter_files_00002.MPL",
       {"00010.srt", "Wed 07 Jul 2021 09:39:00 +03:00"}}};
  for (const auto& [name, first] : firsts) {
    const std::string bytes = testing::read_file(samples / name);
    const Walked walked = walk_bytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                                     {"--format=%a %d %b %Y %H:%M:%S %z"});
    ASSERT_TRUE(walked.succeeded) << name;
    EXPECT_TRUE(walked.files.at(first.first)
                    .starts_with(cue(1, "00:00:00,000", "00:00:01,000", first.second)))
        << name;
  }
}

}  // namespace
}  // namespace zelvok
