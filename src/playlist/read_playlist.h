// The playlist stage of a run: load, validate, and tell the user.
#pragma once

#include <string>

#include "messages/console.h"
#include "model/playlist.h"
#include "platform/files.h"

namespace zelvok {

// Loads and validates the playlist open in `file` (from its start), printing
// the PlayItem count and, on failure, the one message that says what is
// wrong. True when `playlist` is ready for the output stage.
bool read_playlist(const OpenedFile& file, const Console& console, Playlist* playlist);

// Loads and validates the named playlist, quietly: true when it passes every
// check, as a folder run takes a card's playlists.
bool read_valid_playlist(const std::string& name, Playlist* playlist);

}  // namespace zelvok
