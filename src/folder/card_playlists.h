// The playlists of a camcorder's card, for the clips of its STREAM folder:
// a card's worth of clips is dated by one small read, and the clips are not
// read at all.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/playlist.h"

namespace zelvok {

// Where a clip's PlayItem is among a card's playlists.
struct CardItem {
  std::size_t playlist;  // in the card's list
  std::size_t item;      // in that playlist's PlayItems
};

// A card's playlists, and the first PlayItem of each clip name among them,
// keyed by the name in lower case: a card of thousands of clips is looked
// up, not walked, for each.
struct Card {
  std::vector<Playlist> playlists;
  std::unordered_map<std::string, CardItem> items;
};

// What is known of the cards met so far, so that each folder is resolved,
// and each card's playlists read, once.
struct CardPlaylists {
  std::map<std::string, std::string> resolved;  // a clip's folder as found, and as resolved
  std::map<std::string, Card> cards;            // of each STREAM folder, resolved
};

// The clip `name` in `folder` as one PlayItem of its card's playlist: true,
// with `clip` a playlist of that PlayItem alone (and every scene), when
// `folder` is a folder named STREAM (any case; ".", ".." and links
// resolved) and a playlist beside it names the clip. The playlists are those
// in the PLAYLIST folders beside STREAM, then in the PLAYLIST folders of the
// BACKUP folders beside it; the first that passes every check and has a
// PlayItem of the clip's name without its extension (ASCII case ignored)
// dates it by its first such PlayItem.
bool date_from_card(const std::string& folder, const std::string& name, CardPlaylists* cards,
                    Playlist* clip);

}  // namespace zelvok
