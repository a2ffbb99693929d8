// The walk in memory: which files a run writes, and the files it must never
// write over.
#include <gtest/gtest.h>

#include <string>

#include "messages/console.h"
#include "messages/messages.h"
#include "support/walk_in_memory.h"

namespace zelvok {
namespace {

using testing::clip;
using testing::cue;
using testing::scene_at;

// A clip's file that is the whole-playlist file is refused, in memory as on
// disk, and the run stops there.
TEST(WalkTest, AClipFileNeverReplacesTheWholePlaylistFile) {
  const testing::Walked walked =
      testing::walk(testing::playlist_of({clip("00000", 1000)}, {scene_at(2024, 7, 14, 9, 0, 0)}),
                    {"-o", "00000.srt"});
  EXPECT_FALSE(walked.succeeded);
  EXPECT_TRUE(walked.console.ends_with(
      render_message(messages::kOutputOpenFailed.japanese, "00000.srt", ConsoleEncoding::kUtf8)));
  EXPECT_EQ(walked.files, (MemoryFiles{{"00000.srt", ""}}));
}

// A playlist that names one clip twice leaves that clip's file as its last
// PlayItem wrote it; the whole-playlist file holds both.
TEST(WalkTest, AClipNamedTwiceKeepsItsLastPlayItem) {
  const testing::Walked walked = testing::walk(
      testing::playlist_of({clip("00000", 1000), clip("00000", 1500)},
                           {scene_at(2024, 7, 14, 9, 0, 0), scene_at(2024, 7, 15, 10, 0, 0)}));
  EXPECT_TRUE(walked.succeeded);
  EXPECT_EQ(walked.files.at("00000.srt"),
            cue(1, "00:00:00,000", "00:00:01,000", "2024/07/15 10:00:00") +
                cue(2, "00:00:01,000", "00:00:01,500", "2024/07/15 10:00:01"));
  EXPECT_EQ(walked.files.at("playlist.srt"),
            cue(1, "00:00:00,000", "00:00:01,000", "2024/07/14 09:00:00") +
                cue(2, "00:00:01,000", "00:00:02,000", "2024/07/15 10:00:00") +
                cue(3, "00:00:02,000", "00:00:02,500", "2024/07/15 10:00:01"));
}

}  // namespace
}  // namespace zelvok
