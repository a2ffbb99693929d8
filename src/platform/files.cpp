#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <unistd.h>

#include "platform/held_folder.h"
#endif

namespace zelvok {
namespace {

#ifdef _WIN32

OpenedFile describe(int descriptor) {
  OpenedFile file{descriptor, {0, 0}, false, 0};
  if (descriptor < 0) {
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) != 0) {
    file.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    file.identity = {info.dwVolumeSerialNumber,
                     (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    file.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  }
  return file;
}

// Names arrive as UTF-8; the wide-character calls open any name Windows has.
int open_name(const std::string& name, int flags) {
  const std::wstring wide = widen(name);
  if (wide.empty() || wide.find(L'\0') != std::wstring::npos) {
    return -1;
  }
  return _wopen(wide.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

constexpr int kReadFlags = _O_RDONLY;
constexpr int kWriteFlags = _O_WRONLY | _O_CREAT;
constexpr int kNewFileFlags = _O_WRONLY | _O_CREAT | _O_EXCL;

// The C runtime moves at most INT_MAX bytes a call.
constexpr std::size_t kMostPerCall = std::size_t{1} << 30;

std::int64_t read_some(int descriptor, char* buffer, std::size_t size) {
  return _read(descriptor, buffer,
               static_cast<unsigned>(size < kMostPerCall ? size : kMostPerCall));
}

std::int64_t write_some(int descriptor, const char* buffer, std::size_t size) {
  return _write(descriptor, buffer,
                static_cast<unsigned>(size < kMostPerCall ? size : kMostPerCall));
}

#else

OpenedFile describe(int descriptor) {
  OpenedFile file{descriptor, {0, 0}, false, 0};
  struct stat info {};
  if (descriptor >= 0 && fstat(descriptor, &info) == 0) {
    file.regular = S_ISREG(info.st_mode);
    file.identity = {static_cast<std::uint64_t>(info.st_dev),
                     static_cast<std::uint64_t>(info.st_ino)};
    file.size = file.regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  }
  return file;
}

int open_name(const std::string& name, int flags) {
  // A name with an embedded NUL would silently name another file.
  if (name.find('\0') != std::string::npos) {
    errno = ENOENT;
    return -1;
  }
  int descriptor = -1;
  do {
    descriptor = open(name.c_str(), flags | O_CLOEXEC | O_NOCTTY, 0666);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor;
}

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK;
constexpr int kWriteFlags = O_WRONLY | O_CREAT;
// A new file is never one already there, nor made through a link planted at
// its name.
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;

std::int64_t read_some(int descriptor, char* buffer, std::size_t size) {
  ssize_t got = 0;
  do {
    got = read(descriptor, buffer, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

std::int64_t write_some(int descriptor, const char* buffer, std::size_t size) {
  ssize_t put = 0;
  do {
    put = write(descriptor, buffer, size);
  } while (put < 0 && errno == EINTR);
  return put;
}

#endif

}  // namespace

bool same_file(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.index == b.index;
}

OpenedFile open_for_reading(const std::string& name) {
  return describe(open_name(name, kReadFlags));
}

OpenedFile open_for_writing(const std::string& name) {
  return describe(open_name(name, kWriteFlags));
}

bool identify_file(const std::string& name, FileIdentity* identity) {
#ifdef _WIN32
  const OpenedFile file = open_for_reading(name);
  if (file.descriptor < 0) {
    return false;
  }
  *identity = file.identity;
  close_file(file.descriptor);
  return true;
#else
  struct stat info {};
  if (name.find('\0') != std::string::npos || stat(name.c_str(), &info) != 0) {
    return false;
  }
  *identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
  return true;
#endif
}

#ifdef _WIN32

int create_new_file(const std::string& name) {
  return open_name(name, kNewFileFlags);
}

#else

int create_new_file(const std::string& name) {
  if (name.find('\0') != std::string::npos) {
    errno = ENOENT;
    return -1;
  }
  const PathAt at = path_at(name);
  int descriptor = -1;
  do {
    descriptor = openat(at.folder, at.name, kNewFileFlags | O_CLOEXEC | O_NOCTTY, 0666);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor;
}

#endif

#ifdef _WIN32

bool truncate_file(int descriptor) {
  return _chsize_s(descriptor, 0) == 0;
}

bool close_file(int descriptor) {
  return _close(descriptor) == 0;
}

bool seek_to(int descriptor, std::uint64_t offset) {
  return _lseeki64(descriptor, static_cast<__int64>(offset), SEEK_SET) >= 0;
}

// Only POSIX hands a closed standard descriptor to the next file opened.
void keep_standard_descriptors() {}

bool remove_file(const std::string& name) {
  return _wunlink(widen(name).c_str()) == 0;
}

bool move_into_place(const std::string& from, const std::string& to, bool replace) {
  const std::wstring target = widen(to);
  if (replace) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const DWORD not_plain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & not_plain) != 0) {
      return false;
    }
  }
  return MoveFileExW(widen(from).c_str(), target.c_str(),
                     replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

#else

bool truncate_file(int descriptor) {
  return ftruncate(descriptor, 0) == 0;
}

bool seek_to(int descriptor, std::uint64_t offset) {
  return lseek(descriptor, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool close_file(int descriptor) {
  // After EINTR the descriptor is already released on Linux: never close twice.
  return close(descriptor) == 0 || errno == EINTR;
}

bool remove_file(const std::string& name) {
  const PathAt at = path_at(name);
  return unlinkat(at.folder, at.name, 0) == 0;
}

namespace {

// `from` and `to`, relative to their folder held open when it is the same
// for both; else both as they are.
struct PairAt {
  int folder;
  const char* from;
  const char* to;
};

PairAt pair_at(const std::string& from, const std::string& to) {
  const std::size_t from_slash = from.rfind('/');
  const std::size_t to_slash = to.rfind('/');
  if (from_slash != to_slash ||
      (from_slash != std::string::npos && from.compare(0, from_slash, to, 0, to_slash) != 0)) {
    return {AT_FDCWD, from.c_str(), to.c_str()};
  }
  const PathAt at = path_at(to);
  const bool relative = at.folder != AT_FDCWD && from_slash != std::string::npos;
  return {at.folder, relative ? from.c_str() + from_slash + 1 : from.c_str(), at.name};
}

// A name added for `from` at `to` where nothing is there, in one step:
// rename that refuses to replace where the kernel and file system have it,
// else a second name (link) and the first removed. 1 when done, 0 when an
// entry is there, -1 when neither way works here.
int add_name_never_replacing(const PairAt& at) {
#ifdef RENAME_NOREPLACE
  if (renameat2(at.folder, at.from, at.folder, at.to, RENAME_NOREPLACE) == 0) {
    return 1;
  }
  if (errno == EEXIST) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    return -1;
  }
#endif
  if (linkat(at.folder, at.from, at.folder, at.to, 0) == 0) {
    (void)unlinkat(at.folder, at.from, 0);
    return 1;
  }
  return errno == EEXIST ? 0 : -1;
}

}  // namespace

bool move_into_place(const std::string& from, const std::string& to, bool replace) {
  const PairAt at = pair_at(from, to);
  struct stat info {};
  if (replace) {
    if (fstatat(at.folder, at.to, &info, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(info.st_mode)) {
      return false;
    }
    return renameat(at.folder, at.from, at.folder, at.to) == 0;
  }
  const int added = add_name_never_replacing(at);
  if (added >= 0) {
    return added == 1;
  }
  // A file system without links, as a camera's card may be: the name is
  // looked at just before.
  if (fstatat(at.folder, at.to, &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) {
    return false;
  }
  return renameat(at.folder, at.from, at.folder, at.to) == 0;
}

void keep_standard_descriptors() {
  for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) < 0 && errno == EBADF) {
      // The lowest free descriptor is the one just found closed.
      const int null = open("/dev/null", O_RDWR | O_NOCTTY);
      if (null >= 0 && null != descriptor) {
        close(null);
      }
    }
  }
}

#endif

std::size_t read_fully(int descriptor, void* buffer, std::size_t size) {
  auto* next = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t got = read_some(descriptor, next + done, size - done);
    if (got <= 0) {
      break;
    }
    done += static_cast<std::size_t>(got);
  }
  return done;
}

bool write_fully(int descriptor, const void* buffer, std::size_t size) {
  const auto* next = static_cast<const char*>(buffer);
  while (size > 0) {
    const std::int64_t put = write_some(descriptor, next, size);
    if (put <= 0) {
      return false;
    }
    next += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace zelvok
