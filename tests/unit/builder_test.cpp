// The test builder against real camcorder playlists: a copy built from the
// values an independent inspection of each real file lists (INSPECT.txt
// beside them) must hold the same bytes as the real file wherever the two
// describe the same thing. A builder offset typed wrong fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

// The blank-separated words of a line.
std::vector<std::string> words_of(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return words;
}

// The word after `key`, or "" when there is none.
std::string after(const std::vector<std::string>& words, const std::string& key,
                  std::size_t skip = 1) {
  const auto at = std::find(words.begin(), words.end(), key);
  return static_cast<std::size_t>(words.end() - at) > skip ? *(at + static_cast<long>(skip)) : "";
}

unsigned number(const std::string& text, int base = 10) {
  return static_cast<unsigned>(std::stoul(text, nullptr, base));
}

// A scene dated by "YYYY/MM/DD" and "hh:mm:ss", in the zone `zone` (hex).
testing::ScenePlan scene_of(const std::string& date, const std::string& time,
                            const std::string& zone) {
  testing::ScenePlan scene = testing::scene_at(
      number(date.substr(0, 4)), number(date.substr(5, 2)), number(date.substr(8, 2)),
      number(time.substr(0, 2)), number(time.substr(3, 2)), number(time.substr(6, 2)));
  scene.zone = static_cast<std::uint8_t>(number(zone, 16));
  return scene;
}

// "  PI0  00000 M2TS cc=1 stc=0 IN 45022 OUT 3581055 ..." or "    00010 M2TS cc=1 IN ...".
void read_item(const std::vector<std::string>& words, testing::PlaylistPlan* plan) {
  const auto stream = std::find(words.begin(), words.end(), "M2TS");
  testing::ClipPlan clip = testing::clip(*(stream - 1), 0);
  clip.connection = static_cast<std::uint8_t>(number((stream + 1)->substr(3)));
  clip.in_time = number(after(words, "IN"));
  clip.out_time = number(after(words, "OUT"));
  plan->clips.push_back(clip);
}

// The plan of a real playlist from what INSPECT.txt lists of it; `marks`
// where it lists none (the PlayItems each recording starts at, from
// SOURCES.md).
testing::PlaylistPlan plan_from_inspection(const std::string& section,
                                           const std::vector<std::uint16_t>& marks) {
  testing::PlaylistPlan plan;
  for (const std::uint16_t play_item : marks) {
    plan.marks.push_back({1, play_item});
  }
  std::istringstream lines(section);
  for (std::string line; std::getline(lines, line);) {
    const std::vector<std::string> words = words_of(line);
    const std::string first = words.empty() ? "" : words[0];
    const std::size_t marker = line.find("(byte44=0x");
    if (words.size() > 2 && (words[1] == "M2TS" || words[2] == "M2TS")) {
      read_item(words, &plan);
    } else if (line.starts_with("  mark") && !after(words, "type").empty()) {
      plan.marks.push_back({static_cast<std::uint8_t>(number(after(words, "type"))),
                            static_cast<std::uint16_t>(number(after(words, "PlayItem")))});
    } else if (line.starts_with("  ext") && !after(words, "date").empty()) {
      plan.scenes.push_back(
          scene_of(after(words, "date"), after(words, "date", 2), after(words, "tz").substr(2, 2)));
    } else if (first.starts_with("entry@")) {
      plan.scenes.push_back(scene_of(after(words, "marker44", 2), after(words, "marker44", 3),
                                     after(words, "head").substr(20, 2)));
      plan.scenes.back().marker = static_cast<std::uint8_t>(number(after(words, "marker44"), 16));
    } else if (marker != std::string::npos && !plan.scenes.empty()) {
      plan.scenes.back().marker =
          static_cast<std::uint8_t>(number(line.substr(marker + 10, 2), 16));
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
