// The walk over a playlist's PlayItems as the program runs it, with every
// file and the console kept in memory: the quick way to test what a run
// writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "subtitle/produce.h"
#include "support/playlist_builder.h"

namespace zelvok::testing {

struct Walked {
  bool succeeded = false;
  std::string console;  // what the walk printed, in UTF-8, as the texts are held
  MemoryFiles files;
};

// Reads the playlist `bytes` (which must be sound) and walks it with the
// command-line `options`.
Walked walk_bytes(const std::vector<std::uint8_t>& bytes, std::vector<std::string> options);

Walked walk(const PlaylistPlan& plan, std::vector<std::string> options = {});

// One SubRip entry as the files hold it.
std::string cue(int number, const std::string& start, const std::string& end,
                const std::string& text);

}  // namespace zelvok::testing
