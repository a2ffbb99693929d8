#include "playlist/read_playlist.h"

#include "messages/messages.h"
#include "playlist/load.h"
#include "playlist/validate.h"

namespace zelvok {
namespace {

const Message* message_for(PlaylistFault fault) {
  switch (fault) {
    case PlaylistFault::kOpenFailed:
      return &messages::kOpenFailed;
    case PlaylistFault::kAllocationFailed:
      return &messages::kAllocationFailed;
    case PlaylistFault::kNotPlaylist:
      return &messages::kNotPlaylist;
    case PlaylistFault::kBadExtensionData:
      return &messages::kBadExtensionData;
    case PlaylistFault::kBadPlexBlock:
      return &messages::kBadPlexBlock;
    case PlaylistFault::kBadSceneTableSize:
      return &messages::kBadSceneTableSize;
    case PlaylistFault::kSceneCountMismatch:
      return &messages::kSceneCountMismatch;
    case PlaylistFault::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

bool read_valid_playlist(const std::string& name, Playlist* playlist) {
  PlaylistImage image;
  if (load_playlist(name, &image) != PlaylistFault::kNone) {
    return false;
  }
  Validation validation = validate_playlist(ByteSpan(image.bytes.get(), image.size));
  if (validation.fault != PlaylistFault::kNone) {
    return false;
  }
  *playlist = std::move(validation.playlist);
  return true;
}

bool read_playlist(const OpenedFile& file, const Console& console, Playlist* playlist) {
  PlaylistImage image;
  const PlaylistFault load_fault = load_playlist_file(file, &image);
  if (load_fault != PlaylistFault::kNone) {
    print(console, *message_for(load_fault));
    return false;
  }
  Validation validation = validate_playlist(ByteSpan(image.bytes.get(), image.size));
  if (validation.count_known) {
    print(console, messages::kPlayItemCount, std::to_string(validation.play_item_count));
  }
  if (validation.fault != PlaylistFault::kNone) {
    print(console, *message_for(validation.fault));
    return false;
  }
  *playlist = std::move(validation.playlist);
  return true;
}

}  // namespace zelvok
