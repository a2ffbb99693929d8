// A real player's reading of what zelvok writes: ffmpeg turns the subtitles
// into WebVTT, and its cues must be zelvok's entries, times and texts alike.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/requirements.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;

struct Cue {
  long long start_ms;
  long long end_ms;
  std::string text;
};

// "HH:MM:SS,mmm" (SubRip) or "[HH:]MM:SS.mmm" (WebVTT) in milliseconds.
long long milliseconds(const std::string& time) {
  long long total = 0;
  long long field = 0;
  for (char c : time) {
    if (c >= '0' && c <= '9') {
      field = field * 10 + (c - '0');
    } else if (c == ':') {
      total = (total + field) * 60;
      field = 0;
    } else {
      total = (total + field) * 1000;
      field = 0;
    }
  }
  return total + field;
}

// The cues of a SubRip or WebVTT text: each timing line and the line after it.
std::vector<Cue> cues(const std::string& text) {
  std::vector<Cue> found;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    const std::size_t arrow = line.find(" --> ");
    if (arrow == std::string::npos) {
      continue;
    }
    std::string words;
    std::getline(lines, words);
    if (!words.empty() && words.back() == '\r') {
      words.pop_back();
    }
    found.push_back(
        {milliseconds(line.substr(0, arrow)), milliseconds(line.substr(arrow + 5)), words});
  }
  return found;
}

bool has_ffmpeg() {
  return std::system("ffmpeg -version > /dev/null 2>&1") == 0;
}

void expect_same_cue(const Cue& player, const Cue& written, const std::string& where) {
  EXPECT_EQ(player.start_ms, written.start_ms) << where;
  EXPECT_EQ(player.end_ms, written.end_ms) << where;
  EXPECT_EQ(player.text, written.text) << where;
}

TEST(PlayerTest, FfmpegReadsEveryEntry) {
  ZELVOK_REQUIRE(has_ffmpeg(), "ffmpeg");
  testing::TempFolder folder;
  const fs::path sample = fs::path(ZELVOK_SOURCE_DIR) / "examples/00000.mpls";
  ASSERT_EQ(testing::run_zelvok({sample.string()}, folder.path).status, 0);
  for (const std::string name : {"playlist.srt", "00001.srt"}) {
    const testing::ProgramResult converted = testing::run_program(
        {"ffmpeg", "-v", "error", "-i", name, "-f", "webvtt", "-"}, folder.path);
    ASSERT_EQ(converted.status, 0) << converted.errors;
    const std::vector<Cue> player = cues(converted.output);
    const std::vector<Cue> written = cues(testing::read_file(folder.path / name));
    ASSERT_FALSE(written.empty());
    ASSERT_EQ(player.size(), written.size()) << name;
    expect_same_cue(player.front(), written.front(), name + " first");
    expect_same_cue(player.back(), written.back(), name + " last");
  }
  // 95.095 + 187.520 + 42.042 seconds: 96 + 188 + 43 entries, ending at 324.657.
  const std::vector<Cue> whole = cues(testing::read_file(folder.path / "playlist.srt"));
  EXPECT_EQ(whole.size(), 327u);
  EXPECT_EQ(whole.back().end_ms, 324657);
  EXPECT_EQ(whole.back().text, "2024/07/14 09:55:36");
}

// A WebVTT file as ffmpeg reads it: every cue, at the times and with the
// text of the SubRip file of the same run, its markup characters read back
// from their references.
TEST(PlayerTest, FfmpegReadsEveryWebVttCue) {
  ZELVOK_REQUIRE(has_ffmpeg(), "ffmpeg");
  testing::TempFolder folder;
  const fs::path sample = fs::path(ZELVOK_SOURCE_DIR) / "examples/00000.mpls";
  const std::string form = "--format=<%H:%M:%S> & -->";
  ASSERT_EQ(testing::run_zelvok({form, sample.string()}, folder.path).status, 0);
  ASSERT_EQ(testing::run_zelvok({"--vtt", form, sample.string()}, folder.path).status, 0);
  for (const std::string name : {"playlist", "00001"}) {
    const std::string vtt = testing::read_file(folder.path / (name + ".vtt"));
    ASSERT_TRUE(vtt.starts_with("WEBVTT\r\n\r\n00:00:00.000 --> ")) << name;
    const testing::ProgramResult converted = testing::run_program(
        {"ffmpeg", "-v", "error", "-i", name + ".vtt", "-f", "srt", "-"}, folder.path);
    ASSERT_EQ(converted.status, 0) << converted.errors;
    const std::vector<Cue> player = cues(converted.output);
    const std::vector<Cue> written = cues(testing::read_file(folder.path / (name + ".srt")));
    ASSERT_EQ(player.size(), written.size()) << name;
    for (std::size_t k = 0; k < player.size(); ++k) {
      expect_same_cue(player[k], written[k], name + " cue " + std::to_string(k));
    }
  }
}

}  // namespace
}  // namespace zelvok
