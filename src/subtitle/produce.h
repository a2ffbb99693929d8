// The output stage: the walk over the PlayItems that writes the subtitles.
#pragma once

#include "cli/run_options.h"
#include "messages/console.h"
#include "playlist/playlist.h"

namespace zelvok {

// Writes the whole-playlist file and one file per selected PlayItem, printing
// each selected clip's names and recording date. On failure prints the one
// message that says what went wrong, closes every file it opened, and returns
// false; files written up to then stay as far as they got. `input` is the
// playlist file, which is never written.
bool produce_subtitles(const RunOptions& options, const Playlist& playlist,
                       const FileIdentity& input, const Console& console);

}  // namespace zelvok
