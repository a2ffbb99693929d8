// The reader, the dating and the walk on arbitrary bytes, with every file
// kept in memory: thousands of playlists a second. The walk runs twice, once
// with the options the input asks for and once with none, and each clip's file
// must come out the same both times: choosing clips never changes a date.
//
// The input is laid out as fuzz/fuzz_input.h says.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "cli/arguments.h"
#include "cli/run.h"
#include "fuzz/fuzz_input.h"
#include "playlist/validate.h"
#include "subtitle/produce.h"

namespace {

// Seconds of video the walk may write: longer playlists are valid but would
// only slow the search down.
constexpr std::uint64_t kMostSeconds = 4000;

std::uint64_t total_seconds(const zelvok::Playlist& playlist) {
  std::uint64_t seconds = 0;
  for (const zelvok::PlayItem& item : playlist.play_items) {
    seconds += zelvok::duration_ms(item) / 1000 + 1;
  }
  return seconds;
}

// Clip names that appear once: a name given twice leaves the file of
// whichever of its PlayItems was written last.
std::set<std::string> unique_clip_files(const zelvok::Playlist& playlist) {
  std::set<std::string> seen;
  std::set<std::string> twice;
  for (const zelvok::PlayItem& item : playlist.play_items) {
    const std::string name = item.clip_name + ".srt";
    if (!seen.insert(name).second) {
      twice.insert(name);
    }
  }
  for (const std::string& name : twice) {
    seen.erase(name);
  }
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zelvok::fuzz::FuzzInput input = zelvok::fuzz::split_input(data, size);
  const zelvok::Validation validation = zelvok::validate_playlist(input.playlist);
  if (validation.fault != zelvok::PlaylistFault::kNone ||
      total_seconds(validation.playlist) > kMostSeconds) {
    return 0;
  }
  std::vector<std::string> arguments = input.arguments;
  arguments.emplace_back(zelvok::fuzz::kInputName);
  zelvok::OutputPlan plan = zelvok::scan_arguments(arguments).options.output;
  zelvok::MemoryFiles chosen;
  zelvok::produce_subtitles_in_memory(plan, validation.playlist, zelvok::fuzz::quiet_console(),
                                      &chosen);
  plan.first = 0;
  plan.last = 0;
  zelvok::MemoryFiles every;
  zelvok::produce_subtitles_in_memory(plan, validation.playlist, zelvok::fuzz::quiet_console(),
                                      &every);
  // A run may stop early where a clip's file would be the whole-playlist
  // file; the clips both runs wrote must agree.
  for (const std::string& name : unique_clip_files(validation.playlist)) {
    const auto one = chosen.find(name);
    const auto other = every.find(name);
    if (name != plan.whole_name && one != chosen.end() && other != every.end() &&
        one->second != other->second) {
      (void)std::fprintf(stderr, "zelvok fuzz: %s differs when clips are chosen\n", name.c_str());
      std::abort();
    }
  }
  return 0;
}
