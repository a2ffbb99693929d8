// What a name on the command line is, decided once, by one look at it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/files.h"

namespace zelvok {

enum class InputKind {
  kUnopenable,  // missing, unreadable, or neither a regular file nor a folder
  kPlaylist,    // a regular file that is not a clip: read as a playlist
  kClip,        // a regular file that begins as a transport stream does, or named .mts or .m2ts
  kFolder,      // a folder, or a link to one
};

struct Input {
  InputKind kind = InputKind::kUnopenable;
  OpenedFile file{-1, {0, 0}, false, 0};  // open for a playlist or a clip
  std::size_t packet_size = 0;            // of a clip's stream
};

// Looks at `name` and, for a regular file, opens it and reads its first
// bytes. The caller closes the file with close_input.
Input open_input(const std::string& name);

void close_input(const Input& input);

}  // namespace zelvok
