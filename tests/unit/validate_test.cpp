#include "playlist/validate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/playlist_builder.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

using testing::PlaylistPlan;

PlaylistPlan two_clips() {
  return testing::playlist_of(
      {testing::clip("00000", 2500, 1000), testing::clip("00001", 1000)},
      {testing::scene_at(2008, 11, 30, 23, 59, 59), testing::scene_at(2008, 12, 31, 23, 59, 59)});
}

Validation validate(const std::vector<std::uint8_t>& bytes) {
  return validate_playlist(bytes);
}

TEST(ValidateTest, ReadsTheRecordsOfASoundPlaylist) {
  PlaylistPlan plan = two_clips();
  plan.scenes.insert(plan.scenes.begin() + 1, testing::undated_scene());
  const Validation result = validate(testing::build_playlist(plan));
  ASSERT_EQ(result.fault, PlaylistFault::kNone);
  EXPECT_TRUE(result.count_known);
  EXPECT_EQ(result.play_item_count, 2);
  const Playlist& playlist = result.playlist;
  ASSERT_EQ(playlist.play_items.size(), 2u);
  EXPECT_EQ(playlist.play_items[1].clip_name, "00001");
  EXPECT_EQ(playlist.play_items[0].in_time, 1000u);
  EXPECT_EQ(duration_ms(playlist.play_items[0]), 2500u);
  ASSERT_EQ(playlist.scenes.size(), 3u);
  EXPECT_EQ(playlist.scenes[0].year, 0x2008);
  EXPECT_EQ(playlist.scenes[0].month, 0x11);
  EXPECT_EQ(playlist.scenes[0].second, 0x59);
  EXPECT_FALSE(is_dated(playlist.scenes[1]));
  EXPECT_EQ(playlist.play_items[1].scene, 2u);
  EXPECT_EQ(playlist.play_items[1].elapsed_ms, 0u);
}

// Two recordings, the first split in three parts; an undated entry and its
// mark, of no particular type, between them.
PlaylistPlan split_recordings() {
  PlaylistPlan plan =
      testing::recordings_of({{1000, 2500, 400}, {3000}},
                             {testing::scene_at(2021, 7, 7, 9, 39, 0), testing::undated_scene(),
                              testing::scene_at(2022, 6, 9, 9, 40, 45)});
  plan.marks.insert(plan.marks.begin() + 1, testing::MarkPlan{7, 0});
  return plan;
}

TEST(ValidateTest, DatesEachPartOfASplitRecordingFromItsStart) {
  const Validation result = validate(testing::build_playlist(split_recordings()));
  ASSERT_EQ(result.fault, PlaylistFault::kNone);
  const std::vector<PlayItem>& items = result.playlist.play_items;
  ASSERT_EQ(items.size(), 4u);
  const std::size_t scenes[] = {0, 0, 0, 2};
  const std::uint64_t elapsed[] = {0, 1000, 3500, 0};
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].scene, scenes[i]) << i;
    EXPECT_EQ(items[i].elapsed_ms, elapsed[i]) << i;
  }
}

struct SplitCase {
  const char* what;
  std::function<void(PlaylistPlan*)> breaks;
  PlaylistFault fault;
};

class SplitMarkTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitMarkTest, MarksThatDoNotDescribeTheRecordingsKeepTheCountMismatch) {
  PlaylistPlan plan = split_recordings();
  GetParam().breaks(&plan);
  EXPECT_EQ(validate(testing::build_playlist(plan)).fault, GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, SplitMarkTest,
    ::testing::Values(
        SplitCase{"undated entry's mark of any type", [](PlaylistPlan*) {}, PlaylistFault::kNone},
        SplitCase{"fewer marks than entries", [](PlaylistPlan* s) { s->mark_count = 2; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"marks beyond the file", [](PlaylistPlan* s) { s->mark_address = 0xFFFFFFF0; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"marks cut by the end of the file",
                  [](PlaylistPlan* s) {
                    // The count, 3, is read from bytes 43-44 of the last
                    // scene entry, 23 bytes before the end of the file.
                    s->scenes.back().marker = 0x03;
                    s->mark_address =
                        static_cast<std::uint32_t>(testing::build_playlist(*s).size() - 66 + 39);
                  },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"not an entry mark", [](PlaylistPlan* s) { s->marks[2].type = 2; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"PlayItem past the last", [](PlaylistPlan* s) { s->marks[2].play_item = 4; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"same PlayItem twice", [](PlaylistPlan* s) { s->marks[2].play_item = 0; },
                  PlaylistFault::kSceneCountMismatch},
        // Read in this order, the first part would belong to the last recording.
        SplitCase{"PlayItems named out of order",
                  [](PlaylistPlan* s) {
                    s->marks[0].play_item = 3;
                    s->marks[2].play_item = 0;
                  },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"first PlayItem unnamed", [](PlaylistPlan* s) { s->marks[0].play_item = 1; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"unnamed part that does not continue",
                  [](PlaylistPlan* s) { s->clips[2].connection = 5; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"record past the end", [](PlaylistPlan* s) { s->clips[2].length = 0xFFFF; },
                  PlaylistFault::kSceneCountMismatch},
        SplitCase{"clip name", [](PlaylistPlan* s) { s->clips[1].name = "a/b.c"; },
                  PlaylistFault::kNotPlaylist}),
    [](const ::testing::TestParamInfo<SplitCase>& param_info) {
      return testing::test_name(param_info.param.what);
    });

TEST(ValidateTest, AnEmptyPlaylistIsSound) {
  const Validation result = validate(testing::build_playlist(testing::playlist_of({}, {})));
  EXPECT_EQ(result.fault, PlaylistFault::kNone);
  EXPECT_TRUE(result.count_known);
  EXPECT_EQ(result.play_item_count, 0);
}

TEST(ValidateTest, DurationWrapsModulo32Bits) {
  PlayItem item;
  item.in_time = 100;
  item.out_time = 10;
  EXPECT_EQ(duration_ms(item), (0x100000000ull - 90) / 45);
}

struct BreakCase {
  const char* what;
  std::function<void(PlaylistPlan*)> breaks;
  PlaylistFault fault;
  bool count_known;
};

class BrokenFieldTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(BrokenFieldTest, FailsTheFirstCheckItBreaks) {
  PlaylistPlan plan = two_clips();
  GetParam().breaks(&plan);
  const Validation result = validate(testing::build_playlist(plan));
  EXPECT_EQ(result.fault, GetParam().fault);
  EXPECT_EQ(result.count_known, GetParam().count_known);
}

constexpr auto kNotPlaylist = PlaylistFault::kNotPlaylist;
constexpr auto kBadExtension = PlaylistFault::kBadExtensionData;
constexpr auto kBadPlex = PlaylistFault::kBadPlexBlock;
constexpr auto kBadSceneSize = PlaylistFault::kBadSceneTableSize;
constexpr auto kMismatch = PlaylistFault::kSceneCountMismatch;

INSTANTIATE_TEST_SUITE_P(
    Fields, BrokenFieldTest,
    ::testing::Values(
        BreakCase{"version", [](PlaylistPlan* s) { s->magic = "MPLS0200"; }, kNotPlaylist, false},
        BreakCase{"type", [](PlaylistPlan* s) { s->magic = "mpls0100"; }, kNotPlaylist, false},
        BreakCase{"magic and extension",
                  [](PlaylistPlan* s) {
                    s->magic = "MPLS0300";
                    s->id1 = 3;
                  },
                  kNotPlaylist, false},
        BreakCase{"trailing byte", [](PlaylistPlan* s) { s->trailing = {0}; }, kBadExtension,
                  false},
        BreakCase{"extension length", [](PlaylistPlan* s) { s->extension_length = 1; },
                  kBadExtension, false},
        BreakCase{"extension beyond file",
                  [](PlaylistPlan* s) { s->extension_address = 0xFFFFFFF0; }, kBadExtension, false},
        BreakCase{"extension header cut",
                  [](PlaylistPlan* s) {
                    s->trailing.assign(10, 0);
                    s->extension_address = 0x7FFFFFFF;
                  },
                  kBadExtension, false},
        BreakCase{"entry count", [](PlaylistPlan* s) { s->extension_entry_count = 2; },
                  kBadExtension, false},
        BreakCase{"ID1", [](PlaylistPlan* s) { s->id1 = 0x1001; }, kBadExtension, false},
        BreakCase{"ID2", [](PlaylistPlan* s) { s->id2 = 0x0001; }, kBadExtension, false},
        BreakCase{"PlayList beyond file", [](PlaylistPlan* s) { s->playlist_address = 0xFFFFFFFF; },
                  kNotPlaylist, false},
        BreakCase{"PLEX beyond file", [](PlaylistPlan* s) { s->data_block_address = 0xFFFFFFFF; },
                  kBadPlex, true},
        BreakCase{"PLEX magic", [](PlaylistPlan* s) { s->plex_magic = "PLEY"; }, kBadPlex, true},
        BreakCase{"PLEX length", [](PlaylistPlan* s) { s->plex_block_length = 0x145; }, kBadPlex,
                  true},
        BreakCase{"scene table size", [](PlaylistPlan* s) { s->scene_table_size = 66 * 2 + 3; },
                  kBadSceneSize, true},
        BreakCase{"scene table beyond file",
                  [](PlaylistPlan* s) {
                    s->scene_count = 3;
                    s->scene_table_size = 66 * 3 + 2;
                  },
                  kBadSceneSize, true},
        BreakCase{"fewer dated scenes",
                  [](PlaylistPlan* s) { s->scenes[1] = testing::undated_scene(); }, kMismatch,
                  true},
        BreakCase{
            "more dated scenes",
            [](PlaylistPlan* s) { s->scenes.push_back(testing::scene_at(2009, 1, 1, 0, 0, 0)); },
            kMismatch, true},
        BreakCase{"clip name with a slash", [](PlaylistPlan* s) { s->clips[1].name = "../00"; },
                  kNotPlaylist, true},
        BreakCase{"clip name with NUL",
                  [](PlaylistPlan* s) {
                    s->clips[0].name = std::string(
                        "000\0"
                        "0",
                        5);
                  },
                  kNotPlaylist, true},
        BreakCase{"clip name not ASCII",
                  [](PlaylistPlan* s) {
                    s->clips[0].name =
                        "00\xE9"
                        "00";
                  },
                  kNotPlaylist, true},
        BreakCase{"record length past the end",
                  [](PlaylistPlan* s) { s->clips[0].length = 0xFFFF; }, kNotPlaylist, true},
        BreakCase{"more PlayItems than records",
                  [](PlaylistPlan* s) {
                    s->play_item_count = 3;
                    s->scenes.push_back(testing::scene_at(2009, 1, 1, 0, 0, 0));
                  },
                  kNotPlaylist, true}),
    [](const ::testing::TestParamInfo<BreakCase>& param_info) {
      return testing::test_name(param_info.param.what);
    });

TEST(ValidateTest, ShortRecordsOfUnusualLengthsStillRead) {
  // Records shorter than the fields read overlap the next one; that is the
  // file's business as long as every byte read lies inside the file.
  PlaylistPlan plan = two_clips();
  plan.clips[0].length = 0;
  const Validation result = validate(testing::build_playlist(plan));
  EXPECT_EQ(result.fault, PlaylistFault::kNone);
}

}  // namespace
}  // namespace zelvok
