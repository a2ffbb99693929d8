// Reading a playlist file into memory. Nothing here looks past the header.
#pragma once

#include <cstdint>
#include <string>

#include "model/playlist.h"
#include "playlist/image.h"
#include "playlist/validate.h"

namespace zelvok {

// No playlist comes near this size; a larger file is refused unread.
inline constexpr std::uint64_t kMaxPlaylistSize = 64ull * 1024 * 1024;

// Reads the named file whole into `image`, after checking that it begins like
// a playlist: a user who names a video file by mistake waits for nothing.
// kNotPlaylist when it is shorter than the magic or has another,
// kAllocationFailed when it is larger than kMaxPlaylistSize.
PlaylistFault load_playlist(const std::string& name, PlaylistImage* image);

// The same for a file the caller opened, read from its start.
PlaylistFault load_playlist_file(const OpenedFile& file, PlaylistImage* image);

}  // namespace zelvok
