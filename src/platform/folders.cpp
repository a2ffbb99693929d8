#include "platform/folders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/held_folder.h"
#endif

namespace zelvok {
namespace {

namespace fs = std::filesystem;

// UTF-8 on Windows, the bytes themselves on POSIX, both ways.
fs::path path_of(const std::string& name) {
  return fs::path(std::u8string(name.begin(), name.end()));
}

std::string name_of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

EntryKind kind_of(const fs::file_status& status) {
  switch (status.type()) {
    case fs::file_type::regular:
      return EntryKind::kRegular;
    case fs::file_type::directory:
      return EntryKind::kFolder;
    case fs::file_type::not_found:
    case fs::file_type::none:
    case fs::file_type::unknown:
      return EntryKind::kMissing;
    default:
      return EntryKind::kOther;
  }
}

#ifdef _WIN32
constexpr const char* kSeparators = "/\\:";
#else
constexpr const char* kSeparators = "/";
#endif

// Where the name after the folder part begins.
std::size_t name_start(const std::string& path) {
  const std::size_t separator = path.find_last_of(kSeparators);
  return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

std::string base_name(const std::string& path) {
  return path.substr(name_start(path));
}

std::string joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string folder_part(const std::string& path) {
  return path.substr(0, name_start(path));
}

EntryKind entry_kind(const std::string& name) {
  std::error_code error;
  return name.empty() ? EntryKind::kMissing : kind_of(fs::status(path_of(name), error));
}

#ifndef _WIN32

EntryKind place_kind(const std::string& name) {
  struct stat info {};
  const PathAt at = path_at(name);
  if (name.empty() || fstatat(at.folder, at.name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
    return name.empty() || errno == ENOENT || errno == ENOTDIR ? EntryKind::kMissing
                                                               : EntryKind::kUnreachable;
  }
  if (S_ISREG(info.st_mode)) {
    return EntryKind::kRegular;
  }
  return S_ISDIR(info.st_mode) ? EntryKind::kFolder : EntryKind::kOther;
}

#else

EntryKind place_kind(const std::string& name) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path_of(name), error);
  if (status.type() == fs::file_type::not_found) {
    return EntryKind::kMissing;
  }
  if (error || name.empty()) {
    return name.empty() ? EntryKind::kMissing : EntryKind::kUnreachable;
  }
  return status.type() == fs::file_type::symlink ? EntryKind::kOther : kind_of(status);
}

#endif

bool list_folder(const std::string& name, std::vector<FolderEntry>* entries) {
  entries->clear();
  std::error_code error;
  fs::directory_iterator next(path_of(name), error);
  for (; !error && next != fs::directory_iterator(); next.increment(error)) {
    std::error_code ignored;
    const bool link = next->is_symlink(ignored);
    // The folder's listing already says what each name is, but for links:
    // a card of thousands of clips costs no look at each.
    EntryKind kind = EntryKind::kMissing;
    if (!link && next->is_directory(ignored)) {
      kind = EntryKind::kFolder;
    } else if (!link && next->is_regular_file(ignored)) {
      kind = EntryKind::kRegular;
    } else {
      kind = kind_of(next->status(ignored));
    }
    entries->push_back(FolderEntry{name_of(next->path().filename()), kind, link});
  }
  std::sort(entries->begin(), entries->end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return !error;
}

std::uint64_t file_size(const std::string& name) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path_of(name), error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

std::string resolved_folder(const std::string& name) {
  std::error_code error;
  const fs::path resolved = fs::canonical(path_of(name), error);
  return error ? std::string() : name_of(resolved);
}

bool remove_empty_folder(const std::string& name) {
  std::error_code error;
  return fs::is_directory(fs::symlink_status(path_of(name), error)) &&
         fs::remove(path_of(name), error);
}

bool make_folders(const std::string& name) {
  std::error_code error;
  fs::create_directories(path_of(name), error);
  return entry_kind(name) == EntryKind::kFolder;
}

}  // namespace zelvok
