#include "platform/held_folder.h"

#ifndef _WIN32

#include <fcntl.h>
#include <unistd.h>

namespace zelvok {
namespace {

struct HeldFolder {
  std::string path;     // as the paths given spell it
  int descriptor = -1;  // open on it, or -1
};

HeldFolder held;

bool is_held(const std::string& path, std::size_t folder_size) {
  return held.descriptor >= 0 && held.path.size() == folder_size &&
         path.compare(0, folder_size, held.path) == 0;
}

}  // namespace

PathAt path_at(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash + 1 == path.size()) {
    return {AT_FDCWD, path.c_str()};
  }
  if (!is_held(path, slash)) {
    if (held.descriptor >= 0) {
      close(held.descriptor);
    }
    held.path = path.substr(0, slash);
    held.descriptor = open(slash == 0 ? "/" : held.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (held.descriptor < 0) {
      return {AT_FDCWD, path.c_str()};
    }
  }
  return {held.descriptor, path.c_str() + slash + 1};
}

}  // namespace zelvok

#endif
