// What the folder walk needs of the file system: how a path splits, what a
// name is, the names a folder holds, where a path really leads, and folders
// made on the way to a file. Names are UTF-8 on Windows and bytes on POSIX, as everywhere else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelvok {

// The part of a path after its last separator: '/', and on Windows '\' and
// ':' too (so that "C:clip.MTS" never names its outputs "C:clip.srt", a
// drive-relative path outside the folder).
std::string base_name(const std::string& path);

// The part before it, separator included ("card/STREAM/"); empty when the
// path has none.
std::string folder_part(const std::string& path);

// `folder` and `name` joined with "/", as the console shows paths; `name`
// alone when `folder` is empty.
std::string joined(const std::string& folder, const std::string& name);

enum class EntryKind {
  kMissing,      // nothing there, or nothing that can be looked at
  kRegular,      // a regular file
  kFolder,       // a folder
  kOther,        // a device, a FIFO, a socket (or a link, to place_kind)
  kUnreachable,  // to place_kind: it cannot be looked at (a folder on the way cannot be entered)
};

// What `name` leads to, a link followed to its target.
EntryKind entry_kind(const std::string& name);

// What is at `name` itself, a link not followed: a link is kOther.
EntryKind place_kind(const std::string& name);

struct FolderEntry {
  std::string name;  // the name alone, without the folder
  EntryKind kind;    // what it leads to, a link followed
  bool link;         // the name is a link
};

// The entries of the folder `name` in byte order of their names; false when
// it cannot be read.
bool list_folder(const std::string& name, std::vector<FolderEntry>* entries);

// The size of the file `name` leads to; 0 when it is no regular file.
std::uint64_t file_size(const std::string& name);

// The folder's path with ".", ".." and links resolved; empty when it cannot
// be resolved.
std::string resolved_folder(const std::string& name);

// Removes the folder `name` if it is empty.
bool remove_empty_folder(const std::string& name);

// Makes the folder `name` and those it lies in, as needed; true when it is
// there afterwards.
bool make_folders(const std::string& name);

}  // namespace zelvok
