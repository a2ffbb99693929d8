// How a fuzz input becomes a command line and a playlist file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zelvok::fuzz {

inline constexpr const char* kInputName = "in.mpls";
inline constexpr std::size_t kOptionBytes = 3;

struct FuzzInput {
  std::vector<std::string> arguments;  // options, without the input name
  std::string output_name;             // the whole-playlist file they name
  std::span<const std::uint8_t> playlist;
};

FuzzInput split_input(const std::uint8_t* data, std::size_t size);

// Writes the playlist bytes to kInputName in the current folder.
bool write_input(std::span<const std::uint8_t> playlist);

}  // namespace zelvok::fuzz
