// The few file operations the program needs from the operating system, on
// plain descriptors: open, identify, read, write, close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelvok {

// Which file a descriptor is open on, however its name was spelled.
struct FileIdentity {
  std::uint64_t device;  // file system (volume) holding the file
  std::uint64_t index;   // the file's number within it
};

bool same_file(const FileIdentity& a, const FileIdentity& b);

struct OpenedFile {
  int descriptor;         // -1 when the file could not be opened
  FileIdentity identity;  // valid when opened
  bool regular;           // a regular file, as opposed to a device, FIFO or directory
  std::uint64_t size;     // bytes in the file, for a regular file
};

// Opens an existing file for reading. A FIFO or device is opened without
// waiting on it, so that the caller can refuse it at once.
OpenedFile open_for_reading(const std::string& name);

// Opens a file for writing, creating it when missing but leaving its content
// as it is: the caller looks at what it opened before anything is lost.
OpenedFile open_for_writing(const std::string& name);

// Empties a file opened for writing.
bool truncate_file(int descriptor);

// Moves where the next read starts to `offset` bytes into a regular file.
bool seek_to(int descriptor, std::uint64_t offset);

// Reads until `size` bytes are in or the file ends; returns the count read.
std::size_t read_fully(int descriptor, void* buffer, std::size_t size);

// Writes all `size` bytes, or reports failure (a full disk, an I/O error).
bool write_fully(int descriptor, const void* buffer, std::size_t size);

// Closes the descriptor; false when the system reports an error, as some file
// systems do only then for data written earlier.
bool close_file(int descriptor);

// Which file `name` leads to (a link followed); false when there is none.
bool identify_file(const std::string& name, FileIdentity* identity);

// Creates a new file `name` for writing, never one that is already there and
// never through a link: its descriptor, or -1.
int create_new_file(const std::string& name);

// Deletes the file `name`.
bool remove_file(const std::string& name);

// Gives the file `from` the name `to`, in the same folder, in one step: `to`
// shows the old content or the whole new one, never a part. An entry at `to`
// is replaced only when `replace` is set; then it must be a regular file.
bool move_into_place(const std::string& from, const std::string& to, bool replace);

// Opens /dev/null onto whichever of standard input, output and error the
// program was started without, so that no file the program opens takes their
// place and receives what is meant for the console.
void keep_standard_descriptors();

}  // namespace zelvok
