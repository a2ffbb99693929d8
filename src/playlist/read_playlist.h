// The playlist stage of a run: load, validate, and tell the user.
#pragma once

#include <string>

#include "messages/console.h"
#include "model/playlist.h"
#include "platform/files.h"

namespace zelvok {

// Loads and validates the named playlist, printing the PlayItem count and, on
// failure, the one message that says what is wrong. True when `playlist` is
// ready for the output stage; `input` is then the file it was read from.
bool read_playlist(const std::string& name, const Console& console, Playlist* playlist,
                   FileIdentity* input);

}  // namespace zelvok
