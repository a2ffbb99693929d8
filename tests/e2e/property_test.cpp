// Whatever the bytes of a playlist, the reader refuses them with one fault or
// the walk writes them, and it writes nothing but subtitle files of harmless
// names: random changes to the sample, read and walked in memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/run.h"
#include "playlist/validate.h"
#include "subtitle/produce.h"
#include "support/run_program.h"

namespace zelvok {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> sample_bytes() {
  const std::string bytes = testing::read_file(fs::path(ZELVOK_SOURCE_DIR) / "examples/00000.mpls");
  return {bytes.begin(), bytes.end()};
}

TEST(PropertyTest, SeededRandomMutations) {
  const std::vector<std::uint8_t> original = sample_bytes();
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::size_t> position(0, original.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> changes(1, 4);
  std::FILE* quiet = std::fopen("/dev/null", "w");
  const Console console{quiet, ConsoleEncoding::kShiftJis};
  static const std::regex kAllowed("playlist\\.srt|[A-Za-z0-9]{5}\\.srt");
  const OutputPlan plan = scan_arguments(std::vector<std::string>{"in.mpls"}).options.output;
  int written = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = original;
    for (int change = changes(random); change > 0; --change) {
      bytes[position(random)] = static_cast<std::uint8_t>(byte(random));
    }
    const Validation validation = validate_playlist(bytes);
    if (validation.fault != PlaylistFault::kNone) {
      continue;
    }
    MemoryFiles files;
    written += produce_subtitles_in_memory(plan, validation.playlist, console, &files) ? 1 : 0;
    for (const auto& [name, content] : files) {
      ASSERT_TRUE(std::regex_match(name, kAllowed)) << "round " << round << " wrote " << name;
    }
  }
  (void)std::fclose(quiet);
  // Most changes hit bytes no check looks at: the walk runs on those.
  EXPECT_GT(written, 1000);
}

}  // namespace
}  // namespace zelvok
