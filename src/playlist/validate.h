// Checking a playlist image and reading out the records the output stage
// uses. Works on bytes alone: no files, no console.
#pragma once

#include <cstdint>

#include "model/byte_reader.h"
#include "model/playlist.h"
#include "playlist/layout.h"

namespace zelvok {

// What ends the reading of a playlist: first the loading of the file, then
// the checks in the order they are made; the first that fails is reported.
enum class PlaylistFault {
  kNone,
  kOpenFailed,          // missing, unreadable, not a regular file, or cut short while read
  kAllocationFailed,    // no memory, or a file larger than any playlist
  kNotPlaylist,         // wrong magic, header cut short, PlayList or a PlayItem unusable
  kBadExtensionData,    // extension data beyond the file, wrong size, count or IDs
  kBadPlexBlock,        // "PLEX" block beyond the file, missing, or of the wrong length
  kBadSceneTableSize,   // scene table size wrong, or table beyond the file
  kSceneCountMismatch,  // dated scene entries differ from the PlayItems, and no split
                        // recordings explain it
};

struct Validation {
  PlaylistFault fault = PlaylistFault::kNone;
  // The PlayItem count is known (and shown) once the PlayList is found, even
  // when a later check fails.
  bool count_known = false;
  std::uint16_t play_item_count = 0;
  Playlist playlist;  // complete only when `fault` is kNone
};

// True when the bytes begin with the playlist type and version.
bool has_magic(ByteSpan bytes);

Validation validate_playlist(ByteSpan bytes);

}  // namespace zelvok
