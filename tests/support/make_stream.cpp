// make_stream FILE [BYTES]
//
// Writes a camcorder clip stream built with the traits of real ones: 36
// frames of 40 ms from 2021/01/17 17:33:16, the clock ticking at the 14th.
// With BYTES, the file is made that long and sparse, the same clip's packets
// at its head and, 715 seconds later (about what 2 GiB hold), at its end on
// the packet grid, with nothing written between them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/playlist_builder.h"
#include "support/stream_builder.h"

int main(int argc, char** argv) {
  const bool help =
      argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (argc < 2 || argc > 3 || help || argv[1][0] == '-') {
    (void)std::fprintf(help ? stdout : stderr, "usage: make_stream FILE [BYTES]\n");
    return help ? 0 : 2;
  }
  const std::vector<std::uint8_t> head =
      zelvok::testing::build_stream(zelvok::testing::ticking_clip());
  zelvok::testing::write_file(argv[1], head);
  if (argc == 3) {
    const std::uint64_t size = std::strtoull(argv[2], nullptr, 10);
    const std::vector<std::uint8_t> tail = zelvok::testing::build_stream(
        zelvok::testing::ticking_clip(54000 + std::uint64_t{715} * 90000));
    if (size < head.size() + 2 * tail.size()) {
      (void)std::fprintf(stderr, "make_stream: %s bytes hold no head and tail\n", argv[2]);
      return 2;
    }
    std::filesystem::resize_file(argv[1], size);
    std::fstream file(argv[1], std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>((size - tail.size()) / 192 * 192));
    file.write(reinterpret_cast<const char*>(tail.data()),
               static_cast<std::streamsize>(tail.size()));
    if (!file) {
      (void)std::fprintf(stderr, "make_stream: cannot write %s\n", argv[1]);
      return 1;
    }
  }
  return 0;
}
