// Every cut of a playlist, in memory, aimed at each structure in turn. A cut
// ends the file; the extension data's length is set to end there too, and
// the PlayList and marks are laid out after the scene table when they are the
// aim, so that each cut gets past the checks before its structure and meets
// that structure's own. Offsets typed from the format.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "playlist/validate.h"
#include "support/playlist_builder.h"

namespace zelvok {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint64_t big_endian(const Bytes& bytes, std::uint64_t at, unsigned size) {
  std::uint64_t value = 0;
  for (unsigned k = 0; k < size; ++k) {
    value = value << 8 | bytes.at(at + k);
  }
  return value;
}

// Two recordings in three PlayItems, the first split in two: its scenes do
// not match the PlayItems one to one, so the marks are read too.
testing::PlaylistPlan split_playlist(bool lists_after_scenes) {
  testing::PlaylistPlan plan = testing::recordings_of(
      {{1000, 2500}, {3000}},
      {testing::scene_at(2021, 7, 7, 9, 39, 0), testing::scene_at(2022, 6, 9, 9, 40, 45)});
  plan.lists_after_scenes = lists_after_scenes;
  return plan;
}

// One scene per PlayItem: a PlayItem cut short is no playlist.
testing::PlaylistPlan one_scene_each() {
  testing::PlaylistPlan plan = testing::playlist_of(
      {testing::clip("00000", 1000), testing::clip("00001", 2000)},
      {testing::scene_at(2008, 1, 1, 0, 0, 0), testing::scene_at(2008, 1, 2, 0, 0, 0)});
  plan.lists_after_scenes = true;
  return plan;
}

struct Aim {
  std::string structure;
  std::uint64_t begin;  // the first cut; the last is end - 1
  std::uint64_t end;
  PlaylistFault fault;
  bool count_shown;
};

// Where each structure of `file` lies, and what a cut inside it must get.
std::vector<Aim> aims(const Bytes& file, PlaylistFault record_fault) {
  const std::uint64_t playlist = big_endian(file, 8, 4);
  const std::uint64_t marks = big_endian(file, 12, 4);
  const std::uint64_t extension = big_endian(file, 16, 4);
  const std::uint64_t plex = extension + big_endian(file, extension + 4, 4);
  const std::uint64_t scenes_end = plex + 330 + 66 * big_endian(file, plex + 328, 2);
  std::vector<Aim> found;
  if (playlist < extension) {  // the lists first: aim at the header and the extension data
    found.push_back({"header", 0, 20, PlaylistFault::kNotPlaylist, false});
    found.push_back({"AppInfoPlayList", 20, playlist, PlaylistFault::kBadExtensionData, false});
    found.push_back({"ExtensionData header", extension, extension + 16,
                     PlaylistFault::kBadExtensionData, false});
    found.push_back(
        {"ExtensionData to PLEX", extension + 16, plex, PlaylistFault::kBadPlexBlock, true});
    found.push_back({"PLEX block", plex, plex + 330, PlaylistFault::kBadPlexBlock, true});
    found.push_back(
        {"scene table", plex + 330, scenes_end, PlaylistFault::kBadSceneTableSize, true});
    return found;
  }
  found.push_back({"PlayList header", playlist, playlist + 10, PlaylistFault::kNotPlaylist, false});
  std::uint64_t record = playlist + 10;
  for (std::uint64_t k = 0; k < big_endian(file, playlist + 6, 2); ++k) {
    // Cuts in the 22 bytes of a record that are read: a record's own tail
    // is no one's business.
    found.push_back({"PlayItem " + std::to_string(k), record, record + 22, record_fault, true});
    record += 2 + big_endian(file, record, 2);
  }
  if (marks < file.size() && big_endian(file, marks + 4, 2) > 0) {
    found.push_back({"PlayListMark", marks, file.size(), PlaylistFault::kSceneCountMismatch, true});
  }
  return found;
}

// The file cut at `size`, its extension data ending at the cut.
Bytes cut_at(const Bytes& file, std::uint64_t size) {
  Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
  const std::uint64_t extension = big_endian(file, 16, 4);
  if (size >= extension + 4) {
    const std::uint64_t length = size - extension - 4;
    for (unsigned k = 0; k < 4; ++k) {
      cut[extension + k] = static_cast<std::uint8_t>(length >> (24 - 8 * k));
    }
  }
  return cut;
}

TEST(TruncationTest, EveryCutMeetsTheCheckOfItsStructure) {
  const std::pair<testing::PlaylistPlan, PlaylistFault> plans[] = {
      {split_playlist(false), PlaylistFault::kSceneCountMismatch},
      {split_playlist(true), PlaylistFault::kSceneCountMismatch},
      {one_scene_each(), PlaylistFault::kNotPlaylist}};
  std::size_t structures = 0;
  for (const auto& [plan, record_fault] : plans) {
    const Bytes file = testing::build_playlist(plan);
    ASSERT_EQ(validate_playlist(file).fault, PlaylistFault::kNone);
    for (const Aim& aim : aims(file, record_fault)) {
      ASSERT_LT(aim.begin, aim.end) << aim.structure;
      ++structures;
      for (std::uint64_t size = aim.begin; size < aim.end; ++size) {
        const Validation result = validate_playlist(cut_at(file, size));
        ASSERT_EQ(result.fault, aim.fault) << aim.structure << ", cut at " << size;
        ASSERT_EQ(result.count_known, aim.count_shown) << aim.structure << ", cut at " << size;
      }
    }
  }
  // Header, AppInfo, two parts of the extension header, PLEX, scenes; the
  // PlayList header, three PlayItems and the marks; the PlayList header and
  // two PlayItems.
  EXPECT_EQ(structures, 6u + 5u + 3u);
}

}  // namespace
}  // namespace zelvok
