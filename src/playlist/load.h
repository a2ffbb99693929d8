// Reading a playlist file into memory. Nothing here looks past the header.
#pragma once

#include <cstdint>
#include <string>

#include "playlist/playlist.h"

namespace zelvok {

// No playlist comes near this size; a larger file is refused unread.
inline constexpr std::uint64_t kMaxPlaylistSize = 64ull * 1024 * 1024;

enum class LoadFault {
  kNone,
  kOpenFailed,        // missing, unreadable, not a regular file, or cut short while read
  kNotPlaylist,       // shorter than the magic, or another magic
  kAllocationFailed,  // no memory, or larger than kMaxPlaylistSize
};

// Reads the named file whole into `image`, after checking that it begins like
// a playlist: a user who names a video file by mistake waits for nothing.
LoadFault load_playlist(const std::string& name, PlaylistImage* image);

}  // namespace zelvok
