// Replays fuzz inputs without libFuzzer, so that every build checks the
// corpus: replay_fuzz [--plain] PATH...  (files, or folders of .mpls, .ts and .tree
// files).
// --plain marks the paths after it as bare playlists: they are run with no
// options.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

void replay(const fs::path& file, bool plain) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes(plain ? zelvok::fuzz::kOptionBytes : 0, 0);
  bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  // Every path is resolved before the first run, which moves to a scratch folder.
  std::vector<std::pair<fs::path, bool>> inputs;
  bool plain = false;
  for (int at = 1; at < argc; ++at) {
    const std::string argument = argv[at];
    if (argument == "--plain") {
      plain = true;
      continue;
    }
    const fs::path path = fs::absolute(argument);
    if (!fs::is_directory(path)) {
      inputs.emplace_back(path, plain);
      continue;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path)) {
      const fs::path extension = entry.path().extension();
      if (entry.is_regular_file() &&
          (extension == ".mpls" || extension == ".ts" || extension == ".tree")) {
        files.push_back(entry.path());
      }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      inputs.emplace_back(file, plain);
    }
  }
  for (const auto& [file, bare] : inputs) {
    replay(file, bare);
  }
  std::printf("%zu passed, 0 failed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
