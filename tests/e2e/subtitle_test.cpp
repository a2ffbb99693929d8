// The built program writing subtitles: timelines, selection, scene matching,
// and files it must never harm.
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "messages/console.h"
#include "messages/messages.h"
#include "subtitle/produce.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/walk_in_memory.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using testing::clip;
using testing::PlaylistPlan;
using testing::read_file;
using testing::scene_at;
using testing::sjis;

std::string entry(int number, const std::string& start, const std::string& end,
                  const std::string& text) {
  return std::to_string(number) + "\r\n" + start + " --> " + end + "\r\n" + text + "\r\n\r\n";
}

// "00:MM:SS,000" for a whole number of seconds under an hour.
std::string timecode(int seconds) {
  char text[32];
  (void)std::snprintf(text, sizeof text, "00:%02d:%02d,000", seconds / 60, seconds % 60);
  return text;
}

std::string clip_lines(const std::string& name) {
  return sjis(messages::kStreamName, name + ".m2ts") + sjis(messages::kSubtitleName, name + ".srt");
}

std::string date_line(const std::string& stamp) {
  return sjis(messages::kRecordingDate, stamp);
}

std::string head(int count) {
  return sjis(messages::kInputName, "00000.mpls") +
         sjis(messages::kPlayItemCount, std::to_string(count));
}

// A run on 00000.mpls: of the program in a folder, or of the reader and the
// walk with the files in memory.
struct Outcome {
  testing::TempFolder folder;
  testing::ProgramResult result{};  // of the program, after run()
  std::optional<MemoryFiles> memory;
  bool succeeded = false;  // of the walk in memory, after walk_run()
  std::string console;     // what the walk printed, after walk_run()
  std::string file(const std::string& name) const {
    return memory ? memory->at(name) : read_file(folder.path / name);
  }
};

void run(Outcome* r, const PlaylistPlan& plan, std::vector<std::string> options = {}) {
  testing::write_file(r->folder.path / "00000.mpls", testing::build_playlist(plan));
  options.push_back("00000.mpls");
  r->result = testing::run_zelvok(options, r->folder.path);
}

// The same walk in memory, the console in Shift_JIS as on a pipe. For what
// the walk writes; the program's own handling of files is tested with run().
void walk_run(Outcome* r, const PlaylistPlan& plan, std::vector<std::string> options = {}) {
  testing::Walked walked = testing::walk(plan, std::move(options), ConsoleEncoding::kShiftJis);
  r->memory = std::move(walked.files);
  r->succeeded = walked.succeeded;
  r->console = std::move(walked.console);
}

std::vector<std::string> files(const Outcome& r) {
  if (!r.memory) {
    return testing::files_in(r.folder.path);
  }
  std::vector<std::string> names = {"00000.mpls"};
  for (const auto& [name, content] : *r.memory) {
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The files of the two-clip example, kept byte for byte.
std::string golden(const std::string& name) {
  return read_file(fs::path(ZELVOK_SOURCE_DIR) / "tests/golden/worked_example" / name);
}

PlaylistPlan worked_example() {
  return testing::playlist_of(
      {clip("00000", 2500), clip("00001", 1000)},
      {scene_at(2008, 11, 30, 23, 59, 59), scene_at(2008, 12, 31, 23, 59, 59)});
}

TEST(SubtitleTest, WorkedExampleMatchesTheGoldenFiles) {
  Outcome r;
  run(&r, worked_example());
  EXPECT_EQ(r.result.output, golden("console.txt"));
  EXPECT_EQ(r.result.status, 0);
  EXPECT_EQ(r.result.errors, "");
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    EXPECT_EQ(r.file(name), golden(name)) << name;
  }
  EXPECT_EQ(files(r),
            (std::vector<std::string>{"00000.mpls", "00000.srt", "00001.srt", "playlist.srt"}));
}

// ZELVOK_LANG=en for the runs of one test.
struct EnglishMessages {
  EnglishMessages() { setenv("ZELVOK_LANG", "en", 1); }
  ~EnglishMessages() { unsetenv("ZELVOK_LANG"); }
  EnglishMessages(const EnglishMessages&) = delete;
  EnglishMessages& operator=(const EnglishMessages&) = delete;
};

// The same run in English: the console lines change, the files never do.
TEST(EnglishTest, TheRunSpeaksEnglishAndWritesTheSameFiles) {
  const EnglishMessages english;
  Outcome r;
  run(&r, worked_example());
  EXPECT_EQ(r.result.output,
            "\n Input file: [00000.mpls]\n\n PlayItems: [2]\n"
            " PlayItem AV Stream FileName = [00000.m2ts],  [00000.srt]\n"
            "          Recorded at [2008/11/30 23:59:59]\n"
            " PlayItem AV Stream FileName = [00001.m2ts],  [00001.srt]\n"
            "          Recorded at [2008/12/31 23:59:59]\n");
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    EXPECT_EQ(r.file(name), golden(name)) << name;
  }
}

// The playlist's and the walk's messages in English.
TEST(EnglishTest, RefusalsSpeakEnglish) {
  const EnglishMessages english;
  const std::string head = "\n Input file: [00000.mpls]\n\n PlayItems: [2]\n";
  PlaylistPlan extra_scene = worked_example();
  extra_scene.scenes.push_back(scene_at(2009, 1, 1, 0, 0, 0));
  PlaylistPlan no_zone = worked_example();
  no_zone.scenes[1].zone = 0x1E;
  PlaylistPlan not_playlist = worked_example();
  not_playlist.magic = "MPLS0200";
  const std::pair<std::pair<PlaylistPlan, std::vector<std::string>>, std::string> runs[] = {
      {{extra_scene, {}}, head + " The PlayItems and the dated scenes do not match. Stopping.\n"},
      {{no_zone, {"--zone=+9:00"}},
       head + " A scene has no time zone recorded: it cannot be converted. Stopping.\n"},
      {{not_playlist, {}}, "\n Input file: [00000.mpls]\n\nNot a playlist file. Stopping.\n"},
      {{worked_example(), {"-o", "no/such.srt"}},
       head + " Subtitle file (no/such.srt) cannot be opened. Stopping.\n"}};
  for (const auto& [input, output] : runs) {
    Outcome r;
    run(&r, input.first, input.second);
    EXPECT_EQ(r.result.output, output);
    EXPECT_EQ(r.result.status, 255);
  }
}

struct DurationCase {
  std::uint32_t ticks;  // OUT time - IN time, 45 kHz
  std::string clip_file;
};

class DurationTest : public ::testing::TestWithParam<DurationCase> {};

TEST_P(DurationTest, OneEntryPerSecondAndOneForTheRest) {
  Outcome r;
  walk_run(&r, testing::playlist_of({{"00000", 90, 90 + GetParam().ticks, std::nullopt}},
                                    {scene_at(2024, 7, 14, 9, 30, 58)}));
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(r.console, clip_lines("00000") + date_line("2024/07/14 09:30:58"));
  EXPECT_EQ(r.file("00000.srt"), GetParam().clip_file);
  EXPECT_EQ(r.file("playlist.srt"), GetParam().clip_file);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, DurationTest,
    ::testing::Values(
        DurationCase{0, ""}, DurationCase{44, ""},  // under one millisecond
        DurationCase{testing::ticks(400),
                     entry(1, "00:00:00,000", "00:00:00,400", "2024/07/14 09:30:58")},
        DurationCase{testing::ticks(3000),
                     entry(1, "00:00:00,000", "00:00:01,000", "2024/07/14 09:30:58") +
                         entry(2, "00:00:01,000", "00:00:02,000", "2024/07/14 09:30:59") +
                         entry(3, "00:00:02,000", "00:00:03,000", "2024/07/14 09:31:00")},
        DurationCase{testing::ticks(1999) + 44,
                     entry(1, "00:00:00,000", "00:00:01,000", "2024/07/14 09:30:58") +
                         entry(2, "00:00:01,000", "00:00:01,999", "2024/07/14 09:30:59")}));

TEST(SubtitleTest, LeftoverMillisecondsCarryIntoLaterClips) {
  Outcome r;
  walk_run(&r, testing::playlist_of({clip("00000", 1700), clip("00001", 1600), clip("00002", 500)},
                                    {scene_at(2010, 1, 1, 0, 0, 0), scene_at(2010, 2, 1, 0, 0, 0),
                                     scene_at(2010, 3, 1, 0, 0, 0)}));
  EXPECT_EQ(r.file("playlist.srt"),
            entry(1, "00:00:00,000", "00:00:01,000", "2010/01/01 00:00:00") +
                entry(2, "00:00:01,000", "00:00:01,700", "2010/01/01 00:00:01") +
                entry(3, "00:00:01,700", "00:00:02,700", "2010/02/01 00:00:00") +
                entry(4, "00:00:02,700", "00:00:03,300", "2010/02/01 00:00:01") +
                entry(5, "00:00:03,300", "00:00:03,800", "2010/03/01 00:00:00"));
  EXPECT_EQ(r.file("00001.srt"),
            entry(1, "00:00:00,000", "00:00:01,000", "2010/02/01 00:00:00") +
                entry(2, "00:00:01,000", "00:00:01,600", "2010/02/01 00:00:01"));
}

PlaylistPlan three_clips() {
  return testing::playlist_of({clip("00000", 1000), clip("00001", 2000), clip("00002", 1000)},
                              {scene_at(2011, 1, 1, 0, 0, 0), scene_at(2011, 1, 2, 0, 0, 0),
                               scene_at(2011, 1, 3, 0, 0, 0)});
}

TEST(SelectionTest, OnlyTheChosenClipIsWrittenFromZero) {
  Outcome r;
  walk_run(&r, three_clips(), {"-s", "2", "-e", "2"});
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(r.console, clip_lines("00001") + date_line("2011/01/02 00:00:00"));
  const std::string expected = entry(1, "00:00:00,000", "00:00:01,000", "2011/01/02 00:00:00") +
                               entry(2, "00:00:01,000", "00:00:02,000", "2011/01/02 00:00:01");
  EXPECT_EQ(r.file("playlist.srt"), expected);
  EXPECT_EQ(r.file("00001.srt"), expected);
  EXPECT_EQ(files(r), (std::vector<std::string>{"00000.mpls", "00001.srt", "playlist.srt"}));
}

struct SkipAllCase {
  std::vector<std::string> options;
};

class SkipAllTest : public ::testing::TestWithParam<SkipAllCase> {};

TEST_P(SkipAllTest, LeavesAnEmptyWholePlaylistFile) {
  Outcome r;
  walk_run(&r, three_clips(), GetParam().options);
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(r.console, "");
  EXPECT_EQ(files(r), (std::vector<std::string>{"00000.mpls", "playlist.srt"}));
  EXPECT_EQ(r.file("playlist.srt"), "");
}

INSTANTIATE_TEST_SUITE_P(Selection, SkipAllTest,
                         ::testing::Values(SkipAllCase{{"-s", "4"}}, SkipAllCase{{"-s", "-1"}},
                                           SkipAllCase{{"-s", "-2147483648"}},
                                           SkipAllCase{{"-s", "3", "-e", "2"}}));

TEST(SelectionTest, NegativeLastNeverEndsTheSelection) {
  Outcome r;
  walk_run(&r, three_clips(), {"-e", "-1", "-s", "+2"});
  EXPECT_EQ(r.console, clip_lines("00001") + date_line("2011/01/02 00:00:00") +
                           clip_lines("00002") + date_line("2011/01/03 00:00:00"));
}

// Recordings split across clips, each entry as worked out by hand: entries
// end where the recording's seconds end, so the whole-playlist file reads as
// if the recording were one clip.
struct SplitCase {
  const char* what;
  testing::ScenePlan recorded;       // when the recording began
  std::vector<std::uint32_t> parts;  // milliseconds of each part of one recording
  std::vector<std::string> dates;    // each clip's date line
  std::string whole;
  std::vector<std::string> clip_files;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, EveryPartKeepsTheRecordingsSeconds) {
  const SplitCase& c = GetParam();
  Outcome r;
  const std::vector<std::string> names = {"00000", "00001", "00002", "00003"};
  walk_run(&r, testing::recordings_of({c.parts}, {c.recorded}));
  std::string console;
  for (std::size_t i = 0; i < c.parts.size(); ++i) {
    console += clip_lines(names[i]) + date_line(c.dates[i]);
  }
  EXPECT_EQ(r.console, console);
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(r.file("playlist.srt"), c.whole);
  for (std::size_t i = 0; i < c.parts.size(); ++i) {
    EXPECT_EQ(r.file(names[i] + ".srt"), c.clip_files[i]) << names[i];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SplitTest,
    ::testing::Values(
        SplitCase{"leap day inside a part",
                  scene_at(2008, 2, 28, 23, 59, 59),
                  {1500, 700, 1800},
                  {"2008/02/28 23:59:59", "2008/02/29 00:00:00", "2008/02/29 00:00:01"},
                  entry(1, "00:00:00,000", "00:00:01,000", "2008/02/28 23:59:59") +
                      entry(2, "00:00:01,000", "00:00:01,500", "2008/02/29 00:00:00") +
                      entry(3, "00:00:01,500", "00:00:02,000", "2008/02/29 00:00:00") +
                      entry(4, "00:00:02,000", "00:00:02,200", "2008/02/29 00:00:01") +
                      entry(5, "00:00:02,200", "00:00:03,000", "2008/02/29 00:00:01") +
                      entry(6, "00:00:03,000", "00:00:04,000", "2008/02/29 00:00:02"),
                  {entry(1, "00:00:00,000", "00:00:01,000", "2008/02/28 23:59:59") +
                       entry(2, "00:00:01,000", "00:00:01,500", "2008/02/29 00:00:00"),
                   entry(1, "00:00:00,000", "00:00:00,500", "2008/02/29 00:00:00") +
                       entry(2, "00:00:00,500", "00:00:00,700", "2008/02/29 00:00:01"),
                   entry(1, "00:00:00,000", "00:00:00,800", "2008/02/29 00:00:01") +
                       entry(2, "00:00:00,800", "00:00:01,800", "2008/02/29 00:00:02")}},
        SplitCase{"parts shorter than a second, one of none",
                  scene_at(2012, 12, 31, 23, 59, 59),
                  {300, 0, 600, 300},
                  {"2012/12/31 23:59:59", "2012/12/31 23:59:59", "2012/12/31 23:59:59",
                   "2012/12/31 23:59:59"},
                  entry(1, "00:00:00,000", "00:00:00,300", "2012/12/31 23:59:59") +
                      entry(2, "00:00:00,300", "00:00:00,900", "2012/12/31 23:59:59") +
                      entry(3, "00:00:00,900", "00:00:01,000", "2012/12/31 23:59:59") +
                      entry(4, "00:00:01,000", "00:00:01,200", "2013/01/01 00:00:00"),
                  {entry(1, "00:00:00,000", "00:00:00,300", "2012/12/31 23:59:59"), "",
                   entry(1, "00:00:00,000", "00:00:00,600", "2012/12/31 23:59:59"),
                   entry(1, "00:00:00,000", "00:00:00,100", "2012/12/31 23:59:59") +
                       entry(2, "00:00:00,100", "00:00:00,300", "2013/01/01 00:00:00")}}),
    [](const ::testing::TestParamInfo<SplitCase>& param_info) {
      return testing::test_name(param_info.param.what);
    });

// Choosing clips never changes what a clip's own file says.
TEST(SelectionTest, AClipsFileIsTheSameWhateverIsSelected) {
  const std::vector<PlaylistPlan> plans = {
      three_clips(),
      testing::recordings_of({{1500, 700, 1800}, {2300}, {999, 1}},
                             {scene_at(2008, 2, 28, 23, 59, 59), scene_at(2009, 1, 1, 0, 0, 0),
                              scene_at(2010, 1, 1, 0, 0, 0)})};
  const std::vector<std::vector<std::string>> ranges = {
      {"-s", "2", "-e", "2"}, {"-s", "3"}, {"-e", "2"}, {"-s", "2", "-e", "5"}, {"-s", "6"}};
  for (const PlaylistPlan& plan : plans) {
    Outcome all;
    walk_run(&all, plan);
    for (const std::vector<std::string>& range : ranges) {
      Outcome some;
      walk_run(&some, plan, range);
      EXPECT_TRUE(some.succeeded);
      for (const std::string& name : files(some)) {
        if (name != "00000.mpls" && name != "playlist.srt") {
          EXPECT_EQ(some.file(name), all.file(name)) << name << " with " << range[1];
        }
      }
      EXPECT_LT(files(some).size(), files(all).size());
    }
  }
}

// The camera clock corrected: every date moves, the console's too, and a
// date that is not a real one stops the run before any file is written.
TEST(ShiftTest, MovesEveryDateOrNone) {
  Outcome r;
  walk_run(&r, worked_example(), {"--shift=+1:00"});
  EXPECT_EQ(r.console, clip_lines("00000") + date_line("2008/12/01 00:59:59") +
                           clip_lines("00001") + date_line("2009/01/01 00:59:59"));
  EXPECT_EQ(r.file("00001.srt"), entry(1, "00:00:00,000", "00:00:01,000", "2009/01/01 00:59:59"));
  EXPECT_EQ(r.file("00000.srt"),
            entry(1, "00:00:00,000", "00:00:01,000", "2008/12/01 00:59:59") +
                entry(2, "00:00:01,000", "00:00:02,000", "2008/12/01 01:00:00") +
                entry(3, "00:00:02,000", "00:00:02,500", "2008/12/01 01:00:01"));

  Outcome none;
  walk_run(&none, worked_example(), {"--shift", "+0:00"});
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    EXPECT_EQ(none.file(name), golden(name)) << name;
  }

  Outcome damaged;
  PlaylistPlan plan = worked_example();
  plan.scenes[1].day = 0x32;  // 2008/12/32
  walk_run(&damaged, plan, {"--shift=-0:00:01", "-s", "1", "-e", "1"});
  EXPECT_EQ(damaged.console, sjis(messages::kShiftImpossible));
  EXPECT_FALSE(damaged.succeeded);
  EXPECT_EQ(files(damaged), std::vector<std::string>{"00000.mpls"});
}

TEST(SceneMatchTest, UndatedEntriesBeforeADatedOneArePassedOver) {
  Outcome r;
  walk_run(&r, testing::playlist_of({clip("00000", 1000), clip("00001", 1000)},
                                    {testing::undated_scene(), testing::undated_scene(),
                                     scene_at(2012, 5, 5, 5, 5, 5), testing::undated_scene(),
                                     scene_at(2012, 6, 6, 6, 6, 6)}));
  EXPECT_EQ(r.console, clip_lines("00000") + date_line("2012/05/05 05:05:05") +
                           clip_lines("00001") + date_line("2012/06/06 06:06:06"));
}

// Clips whose OUT time lies before the IN time: 45 kHz clocks wrap, so each
// runs 95443.717 seconds.
PlaylistPlan wrapped_clips(int count) {
  PlaylistPlan plan;
  for (int i = 0; i < count; ++i) {
    plan.clips.push_back({"0000" + std::to_string(i), 1, 0, std::nullopt});
    plan.scenes.push_back(scene_at(2100, 2, 28, 0, 0, 0));
  }
  return plan;
}

std::string last_entry(const std::string& file) {
  const std::size_t end = file.size() - 4;
  return file.substr(file.rfind("\r\n\r\n", end - 1) + 4);
}

TEST(LongPlaylistTest, HoursGoPast100And256WithoutWrapping) {
  Outcome r;
  walk_run(&r, wrapped_clips(10));
  ASSERT_TRUE(r.succeeded);
  // 10 x 95443 full entries and 10 partial ones of 717 ms.
  const std::string whole = r.file("playlist.srt");
  // Each clip runs from 2100/02/28 (a leap year here) into 02/29.
  EXPECT_EQ(last_entry(whole),
            entry(954440, "265:07:16,453", "265:07:17,170", "2100/02/29 02:30:43"));
  EXPECT_NE(whole.find("\r\n99:59:59,151 --> 100:00:00,151\r\n"), std::string::npos);
  EXPECT_NE(whole.find("\r\n255:59:59,"), std::string::npos);
  EXPECT_NE(whole.find("\r\n256:00:00,"), std::string::npos);
  EXPECT_EQ(last_entry(r.file("00009.srt")),
            entry(95444, "26:30:43,000", "26:30:43,717", "2100/02/29 02:30:43"));
}

TEST(OutputSafetyTest, TheInputIsNeverTheOutput) {
  for (const char* output : {"00000.mpls", "./00000.mpls", "link.mpls"}) {
    Outcome r;
    fs::create_symlink("00000.mpls", r.folder.path / "link.mpls");
    run(&r, worked_example(), {"-o", output});
    EXPECT_EQ(r.result.output, head(2) + sjis(messages::kOutputOpenFailed, output)) << output;
    EXPECT_EQ(r.result.status, 255);
    const std::vector<std::uint8_t> input = testing::build_playlist(worked_example());
    EXPECT_EQ(r.file("00000.mpls"), std::string(input.begin(), input.end()));
    EXPECT_EQ(files(r), (std::vector<std::string>{"00000.mpls", "link.mpls"}));
  }
}

TEST(OutputSafetyTest, AClipFileNeverReplacesTheWholePlaylistFile) {
  Outcome r;
  run(&r,
      testing::playlist_of({clip("00001", 1000), clip("00000", 1000)},
                           {scene_at(2013, 1, 1, 0, 0, 0), scene_at(2013, 1, 2, 0, 0, 0)}),
      {"-o", "00000.srt"});
  EXPECT_EQ(r.result.output, head(2) + clip_lines("00001") + date_line("2013/01/01 00:00:00") +
                                 clip_lines("00000") +
                                 sjis(messages::kOutputOpenFailed, "00000.srt"));
  EXPECT_EQ(r.result.status, 255);
  const std::string first = entry(1, "00:00:00,000", "00:00:01,000", "2013/01/01 00:00:00");
  EXPECT_EQ(r.file("00000.srt"), first);
  EXPECT_EQ(r.file("00001.srt"), first);
}

TEST(OutputSafetyTest, AClipFileNeverReplacesTheInput) {
  Outcome r;
  PlaylistPlan plan = testing::playlist_of({clip("00000", 1000)}, {scene_at(2013, 1, 1, 0, 0, 0)});
  testing::write_file(r.folder.path / "00000.srt", testing::build_playlist(plan));
  r.result = testing::run_zelvok({"00000.srt"}, r.folder.path);
  EXPECT_EQ(r.result.output, sjis(messages::kInputName, "00000.srt") +
                                 sjis(messages::kPlayItemCount, "1") + clip_lines("00000") +
                                 sjis(messages::kOutputOpenFailed, "00000.srt"));
  EXPECT_EQ(r.result.status, 255);
  EXPECT_EQ(r.file("playlist.srt"), "");
  EXPECT_TRUE(r.file("00000.srt").starts_with("MPLS0100"));
}

// A re-run over the files of a longer playlist leaves nothing of them behind.
TEST(OutputSafetyTest, OlderLongerFilesAreReplacedWhole) {
  Outcome r;
  const std::string older(70000, 'x');
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    std::ofstream(r.folder.path / name, std::ios::binary) << older;
  }
  run(&r, worked_example());
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    EXPECT_EQ(r.file(name), golden(name)) << name;
  }
}

// Started with its standard output closed, the program must not take that
// descriptor for a subtitle file and write its messages into it.
TEST(OutputSafetyTest, AClosedConsoleGetsNothingIntoTheFiles) {
  PlaylistPlan plan;
  for (int i = 0; i < 70; ++i) {
    plan.clips.push_back(clip(std::to_string(10000 + i), 1000));
    plan.scenes.push_back(scene_at(2014, 3, 1, 0, 0, 0));
  }
  Outcome r;
  testing::write_file(r.folder.path / "00000.mpls", testing::build_playlist(plan));
  std::vector<std::string> command = {"sh", "-c", "exec \"$@\" 00000.mpls >&-", "sh"};
  for (const std::string& word : testing::zelvok_command()) {
    command.push_back(word);
  }
  r.result = testing::run_program(command, r.folder.path);
  EXPECT_EQ(r.result.status, 0);
  std::string expected;
  for (int i = 0; i < 70; ++i) {
    expected += entry(i + 1, timecode(i), timecode(i + 1), "2014/03/01 00:00:00");
  }
  EXPECT_EQ(r.file("playlist.srt"), expected);
}

TEST(OutputFailureTest, WholePlaylistFileThatCannotBeOpened) {
  Outcome r;
  run(&r, worked_example(), {"-o", "no/such/folder.srt"});
  EXPECT_EQ(r.result.output, head(2) + sjis(messages::kOutputOpenFailed, "no/such/folder.srt"));
  EXPECT_EQ(r.result.status, 255);
}

TEST(OutputFailureTest, ClipFileThatCannotBeOpenedKeepsEarlierWork) {
  Outcome r;
  fs::create_directory(r.folder.path / "00001.srt");
  run(&r, worked_example());
  EXPECT_EQ(r.result.output, head(2) + clip_lines("00000") + date_line("2008/11/30 23:59:59") +
                                 clip_lines("00001") +
                                 sjis(messages::kOutputOpenFailed, "00001.srt"));
  EXPECT_EQ(r.result.status, 255);
  EXPECT_EQ(r.file("playlist.srt"), golden("00000.srt"));
  EXPECT_EQ(r.file("00000.srt"), golden("00000.srt"));
}

TEST(OutputFailureTest, AFullDiskIsReported) {
  ZELVOK_POSIX_ONLY();
  Outcome r;
  run(&r, worked_example(), {"-o", "/dev/full"});
  EXPECT_EQ(r.result.output, head(2) + clip_lines("00000") + date_line("2008/11/30 23:59:59") +
                                 clip_lines("00001") + date_line("2008/12/31 23:59:59") +
                                 sjis(messages::kOutputWriteFailed, "/dev/full"));
  EXPECT_EQ(r.result.status, 255);
}

TEST(OutputFailureTest, AFullDiskUnderAClipFileIsReported) {
  ZELVOK_POSIX_ONLY();
  Outcome r;
  fs::create_symlink("/dev/full", r.folder.path / "00000.srt");
  run(&r, worked_example());
  EXPECT_EQ(r.result.output, head(2) + clip_lines("00000") + date_line("2008/11/30 23:59:59") +
                                 sjis(messages::kOutputWriteFailed, "00000.srt"));
  EXPECT_EQ(r.result.status, 255);
  EXPECT_EQ(r.file("playlist.srt"), golden("00000.srt"));
}

// Two hours of entries fill a write buffer: the disk fails in mid-clip, and
// the run stops there, before the next clip.
TEST(OutputFailureTest, AFullDiskInMidClipStopsTheRun) {
  ZELVOK_POSIX_ONLY();
  const PlaylistPlan plan =
      testing::playlist_of({clip("00000", 7200000), clip("00001", 1000)},
                           {scene_at(2015, 1, 1, 0, 0, 0), scene_at(2015, 1, 2, 0, 0, 0)});
  for (const bool whole : {true, false}) {
    Outcome r;
    if (!whole) {
      fs::create_symlink("/dev/full", r.folder.path / "00000.srt");
    }
    run(&r, plan, whole ? std::vector<std::string>{"-o", "/dev/full"} : std::vector<std::string>{});
    EXPECT_EQ(r.result.output,
              head(2) + clip_lines("00000") + date_line("2015/01/01 00:00:00") +
                  sjis(messages::kOutputWriteFailed, whole ? "/dev/full" : "00000.srt"));
    EXPECT_EQ(r.result.status, 255);
    EXPECT_FALSE(fs::exists(r.folder.path / "00001.srt"));
  }
}

// A file-size limit fails the write as a full disk does: reported, not a
// signal that loses the console lines.
TEST(HostileEnvironmentTest, AFileSizeLimitIsAFailedWrite) {
  ZELVOK_POSIX_ONLY();
  Outcome r;
  run(&r, testing::playlist_of({clip("00000", 3600000)}, {scene_at(2015, 1, 1, 0, 0, 0)}),
      {"-o", "all.srt"});
  const std::string written = r.file("all.srt");
  ASSERT_GT(written.size(), 50u * 1024);
  Outcome limited;
  testing::write_file(limited.folder.path / "00000.mpls",
                      testing::build_playlist(testing::playlist_of(
                          {clip("00000", 3600000)}, {scene_at(2015, 1, 1, 0, 0, 0)})));
  limited.result =
      testing::run_zelvok({"-o", "all.srt", "00000.mpls"}, limited.folder.path,
                          testing::ResourceLimit{RLIMIT_FSIZE, std::uint64_t{50} * 1024});
  // Both files pass the limit together; the first whose write fails is named.
  const std::string lines = head(1) + clip_lines("00000") + date_line("2015/01/01 00:00:00");
  EXPECT_TRUE(limited.result.output == lines + sjis(messages::kOutputWriteFailed, "00000.srt") ||
              limited.result.output == lines + sjis(messages::kOutputWriteFailed, "all.srt"))
      << limited.result.output;
  EXPECT_EQ(limited.result.status, 255);
  EXPECT_EQ(limited.result.errors, "");
  // What went out before the limit is the start of the file.
  EXPECT_TRUE(written.starts_with(limited.file("all.srt")));
}

#if defined(__SANITIZE_ADDRESS__)
#define ZELVOK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVOK_ADDRESS_SANITIZER 1
#endif
#endif

// Under a memory limit every allocation that fails gets the allocation
// message, in Shift_JIS, once: the limit is lowered until the program can no
// longer start, then raised in small steps through the band where it has
// only just loaded, where even the runtime's reserve for exceptions may be
// missing. Each run must end complete or with that message, never killed.
TEST(HostileEnvironmentTest, AMemoryLimitGetsTheAllocationMessage) {
  ZELVOK_POSIX_ONLY();
#ifdef ZELVOK_ADDRESS_SANITIZER
  GTEST_SKIP() << "the address sanitizer needs more address space than any limit leaves";
#else
  std::vector<testing::ClipPlan> clips;
  std::vector<testing::ScenePlan> scenes;
  for (int k = 0; k < 50; ++k) {
    clips.push_back(clip(std::to_string(10000 + k), 1000));
    scenes.push_back(scene_at(2024, 7, 14, 9, 30, 0));
  }
  Outcome r;
  testing::write_file(r.folder.path / "00000.mpls",
                      testing::build_playlist(testing::playlist_of(clips, scenes)));
  const auto run_under = [&](std::uint64_t limit) {
    return testing::run_zelvok({"00000.mpls"}, r.folder.path,
                               testing::ResourceLimit{RLIMIT_AS, limit});
  };
  constexpr std::uint64_t kCoarse = std::uint64_t{256} << 10;
  std::uint64_t unloadable = std::uint64_t{16} << 20;
  while (unloadable > kCoarse && run_under(unloadable).status != 127) {
    unloadable -= kCoarse;
  }
  int refused = 0;
  for (std::uint64_t limit = unloadable; limit <= unloadable + 4 * kCoarse; limit += 20 << 10) {
    const testing::ProgramResult result = run_under(limit);
    if (result.status == 127) {
      continue;  // the system cannot even load the program
    }
    ASSERT_TRUE(result.status == 0 || result.status == 255) << limit << ": " << result.status;
    ASSERT_EQ(result.errors, "") << limit;
    if (result.status == 255) {
      const std::string message = sjis(messages::kAllocationFailed);
      ASSERT_TRUE(result.output.ends_with(message)) << limit << ": " << result.output;
      ASSERT_EQ(result.output.find(message), result.output.size() - message.size()) << limit;
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
#endif
}

TEST(OutputFailureTest, NothingToWriteOnAFullDiskSucceeds) {
  ZELVOK_POSIX_ONLY();
  Outcome r;
  run(&r, worked_example(), {"-o", "/dev/full", "-s", "3"});
  EXPECT_EQ(r.result.output, head(2));
  EXPECT_EQ(r.result.status, 0);
}

TEST(OutputFailureTest, AConsoleThatGoesAwayStopsNothing) {
  ZELVOK_POSIX_ONLY();
  Outcome r;
  testing::write_file(r.folder.path / "00000.mpls", testing::build_playlist(worked_example()));
  EXPECT_EQ(testing::run_zelvok_unread({"00000.mpls"}, r.folder.path), 0);
  for (const char* name : {"playlist.srt", "00000.srt", "00001.srt"}) {
    EXPECT_EQ(r.file(name), golden(name)) << name;
  }
}

TEST(NameTest, JapaneseNamesOpenAndShow) {
  testing::TempFolder folder;
  const std::string input = "撮影 2024.mpls";
  const std::string output = "日付.srt";
  testing::write_file(folder.path / input, testing::build_playlist(worked_example()));
  const testing::ProgramResult result = testing::run_zelvok({"-o", output, input}, folder.path);
  // POSIX names are bytes and pass through; Windows shows them in the console's encoding.
  const std::string shown =
      testing::testing_windows_build() ? std::string("\x8E\x42\x89\x65 2024.mpls") : input;
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.output.starts_with(sjis(messages::kInputName, shown))) << result.output;
  EXPECT_EQ(read_file(folder.path / output), golden("playlist.srt"));
}

TEST(SampleTest, TheShippedSampleIsWhatTheBuilderMakes) {
  testing::TempFolder folder;
  const fs::path sample = fs::path(ZELVOK_SOURCE_DIR) / "examples/00000.mpls";
  const testing::ProgramResult result = testing::run_zelvok({sample.string()}, folder.path);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(testing::files_in(folder.path),
            (std::vector<std::string>{"00000.srt", "00001.srt", "00002.srt", "playlist.srt"}));
  PlaylistPlan plan =
      testing::playlist_of({clip("00000", 95095), clip("00001", 187520), clip("00002", 42042)},
                           {scene_at(2024, 7, 14, 9, 30, 12), scene_at(2024, 7, 14, 9, 41, 47),
                            scene_at(2024, 7, 14, 9, 54, 54)});
  const std::vector<std::uint8_t> bytes = testing::build_playlist(plan);
  EXPECT_EQ(read_file(sample), std::string(bytes.begin(), bytes.end()));
}

}  // namespace
}  // namespace zelvok
