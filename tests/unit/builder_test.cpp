// The test builder against real camcorder playlists: a copy built from the
// values an independent inspection of each real file lists (INSPECT.txt
// beside them) must hold the same bytes as the real file wherever the two
// describe the same thing. A builder offset typed wrong fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// The lines of INSPECT.txt about `file`: its detailed section ("=== file"
// up to the next), or else its summary (from "file:" to the next line that
// does not begin with a blank).
std::string section_of(const std::string& inspection, const std::string& file) {
  const std::size_t detailed = inspection.find("=== " + file);
  if (detailed != std::string::npos) {
    return inspection.substr(detailed, inspection.find("\n=== ", detailed + 1) - detailed);
  }
  const std::size_t start = inspection.find("\n" + file + ":") + 1;
  std::size_t end = inspection.find('\n', start);
  while (end + 1 < inspection.size() && inspection[end + 1] == ' ') {
    end = inspection.find('\n', end + 1);
  }
  return inspection.substr(start, end - start);
}

// The plan of a real playlist from what INSPECT.txt lists of it; `marks`
// where it lists none (the PlayItems each recording starts at, from
// SOURCES.md).
testing::PlaylistPlan plan_from_inspection(const std::string& section,
                                           const std::vector<std::uint16_t>& marks) {
  std::istringstream lines(section);
  static const std::regex kItem(
      R"(^ +(?:PI\d+ +)?(\w{5}) M2TS cc=(\d+) (?:stc=\d+ )?IN (\d+) OUT (\d+))");
  static const std::regex kMark(R"(^  mark\d+ +type (\d+) .*PlayItem (\d+))");
  static const std::regex kScene(
      R"(^  ext\d+ .* tz 0x([0-9a-f]{2}).* date (\d{4})/(\d\d)/(\d\d) (\d\d):(\d\d):(\d\d))");
  static const std::regex kEntry(
      R"(entry@\d+ head [0-9a-f]{20}([0-9a-f]{2}) year \d+ marker44 ([0-9A-F]{2}) (\d{4})/(\d\d)/(\d\d) (\d\d):(\d\d):(\d\d))");
  static const std::regex kMarker(R"(\(byte44=0x([0-9a-f]{2})\))");
  testing::PlaylistPlan plan;
  for (const std::uint16_t play_item : marks) {
    plan.marks.push_back({1, play_item});
  }
  std::smatch m;
  const auto scene = [&](std::size_t zone, std::size_t date) {
    testing::ScenePlan entry = testing::scene_at(std::stoul(m[date]), std::stoul(m[date + 1]),
                                                 std::stoul(m[date + 2]), std::stoul(m[date + 3]),
                                                 std::stoul(m[date + 4]), std::stoul(m[date + 5]));
    entry.zone = static_cast<std::uint8_t>(std::stoul(m[zone], nullptr, 16));
    plan.scenes.push_back(entry);
  };
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, m, kItem)) {
      testing::ClipPlan clip = testing::clip(m[1], 0);
      clip.connection = static_cast<std::uint8_t>(std::stoi(m[2]));
      clip.in_time = static_cast<std::uint32_t>(std::stoul(m[3]));
      clip.out_time = static_cast<std::uint32_t>(std::stoul(m[4]));
      plan.clips.push_back(clip);
    } else if (std::regex_search(line, m, kMark)) {
      plan.marks.push_back({static_cast<std::uint8_t>(std::stoi(m[1])),
                            static_cast<std::uint16_t>(std::stoi(m[2]))});
    } else if (std::regex_search(line, m, kScene)) {
      scene(1, 2);
    } else if (std::regex_search(line, m, kEntry)) {
      scene(1, 3);
      plan.scenes.back().marker = static_cast<std::uint8_t>(std::stoul(m[2], nullptr, 16));
    } else if (std::regex_search(line, m, kMarker) && !plan.scenes.empty()) {
      plan.scenes.back().marker = static_cast<std::uint8_t>(std::stoul(m[1], nullptr, 16));
    }
  }
  return plan;
}

std::uint64_t big_endian(const Bytes& bytes, std::uint64_t at, unsigned size) {
  std::uint64_t value = 0;
  for (unsigned k = 0; k < size; ++k) {
    value = value << 8 | bytes.at(at + k);
  }
  return value;
}

// The bytes a reader looks at, each named by where it is, found through the
// file's own addresses and lengths. Offsets typed from the format.
std::vector<std::pair<std::string, std::uint64_t>> described_fields(const Bytes& file) {
  std::vector<std::pair<std::string, std::uint64_t>> fields;
  const auto add = [&](const std::string& what, std::uint64_t at, unsigned size) {
    fields.emplace_back(what, big_endian(file, at, size));
  };
  add("magic", 0, 8);
  const std::uint64_t playlist = big_endian(file, 8, 4);
  const std::uint64_t marks = big_endian(file, 12, 4);
  const std::uint64_t extension = big_endian(file, 16, 4);
  const std::uint64_t items = big_endian(file, playlist + 6, 2);
  add("PlayItem count", playlist + 6, 2);
  std::uint64_t record = playlist + 10;
  for (std::uint64_t i = 0; i < items; ++i) {
    const std::string item = "PlayItem " + std::to_string(i) + " ";
    add(item + "name", record + 2, 5);
    fields.emplace_back(item + "connection", file.at(record + 12) & 0x0F);
    add(item + "IN", record + 14, 4);
    add(item + "OUT", record + 18, 4);
    record += 2 + big_endian(file, record, 2);
  }
  const std::uint64_t mark_count = big_endian(file, marks + 4, 2);
  add("mark count", marks + 4, 2);
  for (std::uint64_t k = 0; k < mark_count; ++k) {
    add("mark " + std::to_string(k) + " type", marks + 6 + 14 * k + 1, 1);
    add("mark " + std::to_string(k) + " PlayItem", marks + 6 + 14 * k + 2, 2);
  }
  add("extension length ends the file",
      extension + big_endian(file, extension, 4) + 4 == file.size(), 0);
  add("extension entries", extension + 11, 1);
  add("extension IDs", extension + 12, 4);
  const std::uint64_t plex = extension + big_endian(file, extension + 4, 4);
  add("PLEX", plex, 4);
  add("PLEX block length", plex + 8, 4);
  add("scene table size", plex + 326, 2);
  const std::uint64_t scenes = big_endian(file, plex + 328, 2);
  add("scene count", plex + 328, 2);
  for (std::uint64_t j = 0; j < scenes; ++j) {
    const std::uint64_t entry = plex + 330 + 66 * j;
    add("scene " + std::to_string(j) + " zone and date", entry + 10, 8);
    add("scene " + std::to_string(j) + " marker", entry + 44, 1);
  }
  return fields;
}

TEST(BuilderTest, ACopyOfARealPlaylistHasItsBytes) {
  const fs::path samples = ZELVOK_SAMPLES_DIR;
  ZELVOK_REQUIRE(fs::exists(samples / "INSPECT.txt"), "the real playlists beside the checkout");
  const std::string inspection = testing::read_file(samples / "INSPECT.txt");
  const std::pair<std::string, std::vector<std::uint16_t>> files[] = {
      {"ElishaAz_AVCHD-Converter_files_00002.MPL", {0, 3, 4, 7, 12}},
      {"Jakebutta_verbose-octo-guide_AVCHD_BDMV_PLAYLIST_00000.MPL", {}}};
  for (const auto& [name, marks] : files) {
    const std::string real_text = testing::read_file(samples / name);
    const Bytes real(real_text.begin(), real_text.end());
    const testing::PlaylistPlan plan = plan_from_inspection(section_of(inspection, name), marks);
    ASSERT_FALSE(plan.clips.empty()) << name;
    EXPECT_EQ(described_fields(testing::build_playlist(plan)), described_fields(real)) << name;
  }
}

}  // namespace
}  // namespace zelvok
