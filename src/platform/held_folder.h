// The folder of the files being made, held open on POSIX: each call names a
// file in it by its own name, relative to the folder's descriptor, instead
// of walking the whole path again (a card's clips lie five folders deep).
#pragma once

#ifndef _WIN32

#include <string>

namespace zelvok {

// How to reach a path: a folder's descriptor (or AT_FDCWD) and the name in it.
struct PathAt {
  int folder;        // a descriptor, or AT_FDCWD for the path as it is
  const char* name;  // into the path given: valid while it is
};

// `path` relative to its folder held open, when that folder can be opened;
// else the whole path from the working folder.
PathAt path_at(const std::string& path);

}  // namespace zelvok

#endif
