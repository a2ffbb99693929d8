// Whatever the bytes, a run ends with status 0 or 255, prints at most one
// failure, and writes nothing but subtitle files in its own folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "support/playlist_builder.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> sample_bytes() {
  const std::string bytes = testing::read_file(fs::path(ZELVOK_SOURCE_DIR) / "examples/00000.mpls");
  return {bytes.begin(), bytes.end()};
}

// Every failure message ends with the same words.
std::size_t failures_in(const std::string& output) {
  const std::string ending = testing::sjis({"処理を終了します。\n", ""});
  std::size_t count = 0;
  for (std::size_t at = output.find(ending); at != std::string::npos;
       at = output.find(ending, at + 1)) {
    ++count;
  }
  return count;
}

// Runs on `bytes` in a folder inside `outer`, and checks what is left behind.
void expect_clean_run(const testing::TempFolder& outer, const std::vector<std::uint8_t>& bytes,
                      const std::string& label) {
  const fs::path work = outer.path / "work";
  fs::remove_all(work);
  fs::create_directory(work);
  testing::write_file(work / "in.mpls", bytes);
  const testing::ProgramResult result = testing::run_zelvok({"in.mpls"}, work);
  ASSERT_TRUE(result.status == 0 || result.status == 255) << label << " status " << result.status;
  EXPECT_EQ(failures_in(result.output), result.status == 0 ? 0u : 1u) << label;
  EXPECT_EQ(result.errors, "") << label;
  static const std::regex kAllowed("in\\.mpls|playlist\\.srt|[A-Za-z0-9]{5}\\.srt");
  for (const std::string& name : testing::files_in(work)) {
    EXPECT_TRUE(std::regex_match(name, kAllowed)) << label << " left " << name;
  }
  EXPECT_EQ(testing::files_in(outer.path), std::vector<std::string>{"work"}) << label;
}

TEST(PropertyTest, EveryTruncationOfTheSample) {
  const std::vector<std::uint8_t> bytes = sample_bytes();
  testing::TempFolder outer;
  for (std::size_t size = 0; size <= bytes.size(); ++size) {
    expect_clean_run(outer, {bytes.begin(), bytes.begin() + static_cast<long>(size)},
                     "cut at " + std::to_string(size));
  }
}

TEST(PropertyTest, SeededRandomMutations) {
  const std::vector<std::uint8_t> original = sample_bytes();
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::size_t> position(0, original.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> changes(1, 4);
  testing::TempFolder outer;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = original;
    for (int change = changes(random); change > 0; --change) {
      bytes[position(random)] = static_cast<std::uint8_t>(byte(random));
    }
    expect_clean_run(outer, bytes, "round " + std::to_string(round));
    if (::testing::Test::HasFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace zelvok
