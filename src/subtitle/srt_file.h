// A subtitle file being written: bytes gather in a buffer and go to the disk
// in large blocks, so the cost of a run is the cost of its bytes. A file can
// also be kept in memory, for tests and fuzzing of the whole walk.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <span>
#include <string>

#include "platform/files.h"

namespace zelvok {

inline constexpr std::size_t kSrtBufferSize = std::size_t{256} * 1024;

// Closes itself when it goes away, writing out what it still holds; a run
// that wants to know whether that worked calls finish_srt_file first.
struct SrtFile {
  SrtFile() = default;
  SrtFile(const SrtFile&) = delete;
  SrtFile& operator=(const SrtFile&) = delete;
  ~SrtFile();

  std::string name;                // as the user or the playlist gave it
  int descriptor = -1;             // -1 when not open on a file
  std::string* memory = nullptr;   // where the bytes go instead, when not null
  FileIdentity identity{0, 0};     // the file it is open on
  std::unique_ptr<char[]> buffer;  // kSrtBufferSize bytes
  std::size_t used = 0;            // bytes in the buffer not yet written
};

// Opens `name` for writing and empties it, unless it is one of the `kept`
// files (the input, or another output of this run), which are left untouched.
bool open_srt_file(const std::string& name, std::span<const FileIdentity> kept, SrtFile* file);

// Starts a file on `descriptor`, a new and empty file opened for writing.
void start_srt_file(int descriptor, const std::string& name, SrtFile* file);

// Files by name, as a walk would leave them on disk.
using MemoryFiles = std::map<std::string, std::string>;

// Starts the file `name` of `files`, whose bytes replace its content, unless
// it is one of the `kept` files, as open_srt_file does on disk.
bool open_memory_srt_file(const std::string& name, std::span<const FileIdentity> kept,
                          MemoryFiles* files, SrtFile* file);

// srt_space when the buffer must be written out first.
char* srt_space_after_flush(SrtFile* file, std::size_t size);

// Room for `size` (at most kSrtBufferSize) more bytes, writing out the buffer
// first if it is needed; nullptr when that write failed.
inline char* srt_space(SrtFile* file, std::size_t size) {
  if (kSrtBufferSize - file->used >= size) {
    return file->buffer.get() + file->used;
  }
  return srt_space_after_flush(file, size);
}

// Marks the bytes up to `end`, inside the room srt_space gave, as written.
inline void srt_commit(SrtFile* file, const char* end) {
  file->used = static_cast<std::size_t>(end - file->buffer.get());
}

// Writes out what is buffered and closes the file; false when either failed.
bool finish_srt_file(SrtFile* file);

}  // namespace zelvok
