// The walk over a playlist's PlayItems as the program runs it, with every
// file and the console kept in memory: the quick way to test what a run
// writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "messages/console.h"
#include "subtitle/produce.h"
#include "support/playlist_builder.h"

namespace zelvok::testing {

struct Walked {
  bool succeeded = false;
  std::string console;  // what the walk printed
  MemoryFiles files;
};

// Reads the playlist `bytes` (which must be sound) and walks it with the
// command-line `options`, the console in `encoding`.
Walked walk_bytes(const std::vector<std::uint8_t>& bytes, std::vector<std::string> options,
                  ConsoleEncoding encoding = ConsoleEncoding::kUtf8);

Walked walk(const PlaylistPlan& plan, std::vector<std::string> options = {},
            ConsoleEncoding encoding = ConsoleEncoding::kUtf8);

// One SubRip entry as the files hold it.
std::string cue(int number, const std::string& start, const std::string& end,
                const std::string& text);

}  // namespace zelvok::testing
