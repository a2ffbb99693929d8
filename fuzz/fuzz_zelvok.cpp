// The whole job on arbitrary bytes: the input file (a playlist, or a clip
// stream) is written to a scratch folder, the program runs on it with options
// taken from the input, and the folder must then hold nothing but subtitle
// files with harmless names.
//
// The input is laid out as fuzz/fuzz_input.h says.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/run.h"
#include "fuzz/fuzz_input.h"
#include "messages/console.h"
#include "playlist/validate.h"

namespace {

namespace fs = std::filesystem;

// Entries a run may write before the harness skips every PlayItem instead:
// long clips are valid but would only slow the search down.
constexpr std::uint64_t kMostSeconds = 4000;

bool is_clip_file(const std::string& name) {
  if (name.size() != 9 || name.substr(5) != ".srt") {
    return false;
  }
  for (std::size_t i = 0; i < 5; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
      return false;
    }
  }
  return true;
}

// Every file the run left must be one it may write; all are removed after.
void check_and_clear(const fs::path& folder, const std::string& output_name) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name == zelvok::fuzz::kInputName) {
      continue;
    }
    // A stream given as the input is a clip whose file is named after it.
    const std::string input_clip_file =
        fs::path(zelvok::fuzz::kInputName).replace_extension(".srt").string();
    if (name != output_name && name != input_clip_file && !is_clip_file(name)) {
      (void)std::fprintf(stderr, "zelvok fuzz: unexpected file '%s'\n", name.c_str());
      std::abort();
    }
    fs::remove(entry.path());
  }
}

std::uint64_t selected_seconds(const zelvok::Playlist& playlist) {
  std::uint64_t seconds = 0;
  for (const zelvok::PlayItem& item : playlist.play_items) {
    seconds += zelvok::duration_ms(item) / 1000 + 1;
  }
  return seconds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path& folder = zelvok::fuzz::scratch_folder();
  const zelvok::fuzz::FuzzInput input = zelvok::fuzz::split_input(data, size);
  std::vector<std::string> arguments = input.arguments;
  const zelvok::Validation validation = zelvok::validate_playlist(input.playlist);
  if (validation.fault == zelvok::PlaylistFault::kNone &&
      selected_seconds(validation.playlist) > kMostSeconds) {
    arguments.insert(arguments.begin(), {"-s", "2147483647"});
  }
  arguments.push_back(zelvok::fuzz::kInputName);
  if (!zelvok::fuzz::write_input(input.playlist)) {
    std::abort();
  }
  const int status = zelvok::run(arguments, zelvok::fuzz::quiet_console());
  if (status != zelvok::kExitSuccess && status != zelvok::kExitFailure) {
    std::abort();
  }
  check_and_clear(folder, input.output_name);
  return 0;
}
