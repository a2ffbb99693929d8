// What the playlist reader holds of a playlist file before its records are
// read out: the file's bytes, and its marks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/files.h"

namespace zelvok {

// The whole input file, read into memory once.
struct PlaylistImage {
  std::unique_ptr<std::uint8_t[]> bytes;  // exactly `size` bytes
  std::size_t size = 0;
  FileIdentity identity{0, 0};  // the file it came from, which no output may replace
};

// One PlayListMark: for a camcorder, where a recording begins.
struct PlayListMark {
  std::uint8_t type;        // 1: an entry mark
  std::uint16_t play_item;  // the index of the PlayItem it marks
};

}  // namespace zelvok
