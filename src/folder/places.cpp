#include "folder/places.h"

#include <algorithm>

#include "platform/folders.h"

namespace zelvok {
namespace {

// What is at a place: from the listing of its folder when the walk read it
// (a card of thousands of clips costs no look at each), else from a look.
EntryKind look_at_place(const PlaceBook& book, const std::string& folder, const std::string& name) {
  const auto listing = book.listings.find(folder);
  if (listing == book.listings.end()) {
    return place_kind(joined(folder, name));
  }
  const std::vector<FolderEntry>& entries = listing->second;
  const auto entry =
      std::lower_bound(entries.begin(), entries.end(), name,
                       [](const FolderEntry& a, const std::string& b) { return a.name < b; });
  if (entry == entries.end() || entry->name != name) {
    return EntryKind::kMissing;
  }
  return entry->link ? EntryKind::kOther : entry->kind;
}

}  // namespace

std::string place_key(PlaceBook* book, const std::string& path) {
  const std::string folder = folder_part(path);
  auto found = book->resolved.find(folder);
  if (found == book->resolved.end()) {
    const std::string resolved = resolved_folder(folder.empty() ? "." : folder);
    if (resolved.empty()) {
      return path;
    }
    found = book->resolved.emplace(folder, resolved).first;
  }
  return joined(found->second, base_name(path));
}

Place place_of(PlaceBook* book, const std::string& folder, const std::string& name,
               const std::string& clip_key, const std::set<std::string>& done, bool overwrite) {
  if (done.contains(clip_key)) {
    return Place::kThere;
  }
  if (const auto made = book->made.find(place_key(book, joined(folder, name)));
      made != book->made.end()) {
    return made->second == clip_key ? Place::kThere : Place::kTaken;
  }
  switch (look_at_place(*book, folder, name)) {
    case EntryKind::kMissing:
    case EntryKind::kUnreachable:  // the write says what happened
      return Place::kFree;
    case EntryKind::kRegular:
    case EntryKind::kFolder:
    case EntryKind::kOther:
      break;
  }
  return overwrite ? Place::kReplace : Place::kThere;
}

void note_made(PlaceBook* book, const std::string& target, const std::string& clip_key) {
  book->made[place_key(book, target)] = clip_key;
}

}  // namespace zelvok
