// The playlist reader: load and validate, into the neutral recording. It
// prints nothing: the run says what it found.
#pragma once

#include <string>

#include "model/playlist.h"
#include "platform/files.h"
#include "playlist/validate.h"

namespace zelvok {

// Loads and validates the playlist open in `file` (from its start). The
// result's playlist is ready for the output stage when its fault is kNone;
// its PlayItem count is known once the PlayList was found.
Validation read_playlist(const OpenedFile& file);

// The same for the named playlist, as a folder run takes a card's playlists.
Validation read_playlist_file(const std::string& name);

}  // namespace zelvok
