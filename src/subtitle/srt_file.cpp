#include "subtitle/srt_file.h"

#include <algorithm>

namespace zelvok {
namespace {

bool flush(SrtFile* file) {
  bool written = true;
  if (file->memory != nullptr) {
    file->memory->append(file->buffer.get(), file->used);
  } else {
    written = write_fully(file->descriptor, file->buffer.get(), file->used);
  }
  file->used = 0;
  return written;
}

bool is_kept_file(const FileIdentity& file, std::span<const FileIdentity> kept) {
  return std::any_of(kept.begin(), kept.end(),
                     [&](const FileIdentity& identity) { return same_file(identity, file); });
}

// Memory files are told apart by where their content is kept, on a device
// no file system has.
constexpr std::uint64_t kMemoryDevice = ~std::uint64_t{0};

FileIdentity memory_identity(const std::string* content) {
  return FileIdentity{kMemoryDevice, reinterpret_cast<std::uintptr_t>(content)};
}

// The buffer of a file that went away, for the next: a run of a thousand
// clips fills one buffer, not a thousand.
std::unique_ptr<char[]> spare_buffer;

void start_buffer(SrtFile* file) {
  if (file->buffer == nullptr) {
    // Zeroed, so that every page is in memory from the start: a run's memory
    // is the same whatever the length of its clips.
    file->buffer = spare_buffer != nullptr ? std::move(spare_buffer)
                                           : std::make_unique<char[]>(kSrtBufferSize);
  }
  file->used = 0;
}

}  // namespace

SrtFile::~SrtFile() {
  (void)finish_srt_file(this);
  if (spare_buffer == nullptr) {
    spare_buffer = std::move(buffer);
  }
}

bool open_srt_file(const std::string& name, std::span<const FileIdentity> kept, SrtFile* file) {
  const OpenedFile opened = open_for_writing(name);
  if (opened.descriptor < 0) {
    return false;
  }
  const bool is_kept = is_kept_file(opened.identity, kept);
  // Devices such as /dev/null cannot be emptied and need not be; nor need a
  // new file, and emptying one costs as much as writing a block.
  if (is_kept || (opened.regular && opened.size > 0 && !truncate_file(opened.descriptor))) {
    close_file(opened.descriptor);
    return false;
  }
  file->name = name;
  file->descriptor = opened.descriptor;
  file->memory = nullptr;
  file->identity = opened.identity;
  start_buffer(file);
  return true;
}

void start_srt_file(int descriptor, const std::string& name, SrtFile* file) {
  file->name = name;
  file->descriptor = descriptor;
  file->memory = nullptr;
  start_buffer(file);
}

bool open_memory_srt_file(const std::string& name, std::span<const FileIdentity> kept,
                          MemoryFiles* files, SrtFile* file) {
  std::string* memory = &(*files)[name];
  if (is_kept_file(memory_identity(memory), kept)) {
    return false;
  }
  memory->clear();
  file->name = name;
  file->descriptor = -1;
  file->memory = memory;
  file->identity = memory_identity(memory);
  start_buffer(file);
  return true;
}

char* srt_space_after_flush(SrtFile* file, std::size_t size) {
  if (kSrtBufferSize - file->used < size && !flush(file)) {
    return nullptr;
  }
  return file->buffer.get() + file->used;
}

bool finish_srt_file(SrtFile* file) {
  if (file->memory != nullptr) {
    flush(file);
    file->memory = nullptr;
    return true;
  }
  if (file->descriptor < 0) {
    return true;
  }
  const bool flushed = flush(file);
  const bool closed = close_file(file->descriptor);
  file->descriptor = -1;
  return flushed && closed;
}

}  // namespace zelvok
