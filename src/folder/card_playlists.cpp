#include "folder/card_playlists.h"

#include <algorithm>
#include <string_view>

#include "folder/find_clips.h"
#include "model/ascii_case.h"
#include "platform/folders.h"
#include "playlist/read_playlist.h"
#include "stream/clip_timeline.h"

namespace zelvok {
namespace {

bool is_playlist_name(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  const std::string_view extension =
      dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot);
  return same_ignoring_case(extension, ".mpl") || same_ignoring_case(extension, ".mpls");
}

// The entries of `folder` of `kind` named `wanted` (any case), in byte order;
// names that begin with "." are passed over.
std::vector<std::string> entries_named(const std::string& folder, EntryKind kind,
                                       std::string_view wanted) {
  std::vector<FolderEntry> entries;
  std::vector<std::string> found;
  (void)list_folder(folder, &entries);
  for (const FolderEntry& entry : entries) {
    const bool named =
        wanted.empty() ? is_playlist_name(entry.name) : same_ignoring_case(entry.name, wanted);
    if (entry.kind == kind && named && !entry.name.starts_with('.')) {
      found.push_back(joined(folder, entry.name));
    }
  }
  return found;
}

// The sound playlists of the PLAYLIST folders in `folder`.
void add_playlists(const std::string& folder, std::vector<Playlist>* playlists) {
  for (const std::string& list : entries_named(folder, EntryKind::kFolder, "PLAYLIST")) {
    for (const std::string& file : entries_named(list, EntryKind::kRegular, "")) {
      Validation read = read_playlist_file(file);
      if (read.fault == PlaylistFault::kNone) {
        playlists->push_back(std::move(read.playlist));
      }
    }
  }
}

// The card whose STREAM folder is `stream`, a resolved path: its playlists,
// then those of its backups, and the first PlayItem of each clip in them.
Card read_card(const std::string& stream) {
  const std::string folder = folder_part(stream);
  Card card;
  add_playlists(folder, &card.playlists);
  for (const std::string& backup : entries_named(folder, EntryKind::kFolder, "BACKUP")) {
    add_playlists(backup, &card.playlists);
  }
  for (std::size_t list = 0; list < card.playlists.size(); ++list) {
    const std::vector<PlayItem>& items = card.playlists[list].play_items;
    for (std::size_t item = 0; item < items.size(); ++item) {
      card.items.emplace(lower_case(items[item].clip_name), CardItem{list, item});
    }
  }
  return card;
}

}  // namespace

bool date_from_card(const std::string& folder, const std::string& name, CardPlaylists* cards,
                    Playlist* clip) {
  auto found = cards->resolved.find(folder);
  if (found == cards->resolved.end()) {
    found = cards->resolved.emplace(folder, resolved_folder(folder.empty() ? "." : folder)).first;
  }
  const std::string& stream = found->second;
  if (stream.empty() || !same_ignoring_case(base_name(stream), "STREAM")) {
    return false;
  }
  auto card = cards->cards.find(stream);
  if (card == cards->cards.end()) {
    card = cards->cards.emplace(stream, read_card(stream)).first;
  }
  const auto found_item = card->second.items.find(lower_case(clip_name_of(name)));
  if (found_item == card->second.items.end()) {
    return false;
  }
  const Playlist& playlist = card->second.playlists[found_item->second.playlist];
  clip->play_items = {playlist.play_items[found_item->second.item]};
  clip->scenes = playlist.scenes;
  return true;
}

}  // namespace zelvok
