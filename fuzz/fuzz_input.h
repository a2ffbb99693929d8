// How a fuzz input becomes a command line and a playlist file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "messages/console.h"

namespace zelvok::fuzz {

inline constexpr const char* kInputName = "in.mpls";
inline constexpr std::size_t kOptionBytes = 3;

// Input: three option bytes, then the playlist file.
//   byte 0: bit 0 gives -s, bit 1 gives -e, bit 2 gives -o pl000.srt,
//           bit 3 gives -o 00000.srt (a name a clip may also have),
//           bit 4 gives --shift=-1:00:01, bit 5 gives --shift=+87600:00,
//           bit 6 gives a --format picked by byte 1, bit 7 a --zone picked
//           by byte 2
//   byte 1: the -s value, as a signed byte
//   byte 2: the -e value, as a signed byte
struct FuzzInput {
  std::vector<std::string> arguments;  // options, without the input name
  std::string output_name;             // the whole-playlist file they name
  std::span<const std::uint8_t> playlist;
};

FuzzInput split_input(const std::uint8_t* data, std::size_t size);

// A console that shows nothing, for the targets' runs.
const Console& quiet_console();

// Moves into a fresh folder below ZELVOK_FUZZ_DIR (or the system's temporary
// folder), made on the first call, and returns it; aborts when it cannot.
const std::filesystem::path& scratch_folder();

// Writes the playlist bytes to kInputName in the current folder.
bool write_input(std::span<const std::uint8_t> playlist);

}  // namespace zelvok::fuzz
