#include "folder/find_clips.h"

#include <string_view>

#include "model/ascii_case.h"
#include "platform/folders.h"

namespace zelvok {
namespace {

// A folder being read: its path, where it stands below the root, its
// entries, and the next one to look at.
struct OpenFolder {
  std::string path;
  std::string below;
  std::vector<FolderEntry> entries;
  std::size_t next = 0;
};

// Reads a folder onto the stack, or notes it where its clips would be.
void enter(const std::string& path, const std::string& below, std::vector<OpenFolder>* stack,
           std::vector<FoundClip>* clips) {
  OpenFolder folder{path, below, {}, 0};
  if (!list_folder(path, &folder.entries)) {
    FoundClip unreadable;
    unreadable.path = path;
    unreadable.unreadable = true;
    clips->push_back(unreadable);
    return;
  }
  stack->push_back(std::move(folder));
}

}  // namespace

bool has_clip_extension(const std::string& name) {
  return ends_with_ignoring_case(name, ".mts") || ends_with_ignoring_case(name, ".m2ts");
}

// The walk keeps its own stack: a tree hundreds of folders deep costs memory
// in proportion, never the program's stack.
void find_clips(const std::string& root, std::vector<FoundClip>* clips, FolderListings* listings) {
  std::vector<OpenFolder> stack;
  enter(root, "", &stack, clips);
  while (!stack.empty()) {
    OpenFolder& folder = stack.back();
    if (folder.next == folder.entries.size()) {
      stack.pop_back();
      continue;
    }
    const FolderEntry entry = folder.entries[folder.next++];
    if (entry.name.starts_with('.')) {
      continue;
    }
    if (entry.kind == EntryKind::kFolder && !entry.link) {
      enter(joined(folder.path, entry.name), joined(folder.below, entry.name), &stack, clips);
    } else if (entry.kind == EntryKind::kRegular && has_clip_extension(entry.name)) {
      if (!listings->contains(folder.path)) {
        listings->emplace(folder.path, folder.entries);
      }
      FoundClip clip;
      clip.path = joined(folder.path, entry.name);
      clip.folder = folder.path;
      clip.below = folder.below;
      clip.name = entry.name;
      clips->push_back(std::move(clip));
    }
  }
}

FoundClip named_clip(const std::string& path) {
  FoundClip clip;
  clip.path = path;
  clip.folder = folder_part(path);
  clip.name = base_name(path);
  clip.named = true;
  return clip;
}

}  // namespace zelvok
