#include "playlist/read_playlist.h"

#include "playlist/load.h"

namespace zelvok {
namespace {

Validation validated(PlaylistFault load_fault, const PlaylistImage& image) {
  if (load_fault != PlaylistFault::kNone) {
    Validation refused;
    refused.fault = load_fault;
    return refused;
  }
  return validate_playlist(ByteSpan(image.bytes.get(), image.size));
}

}  // namespace

Validation read_playlist(const OpenedFile& file) {
  PlaylistImage image;
  const PlaylistFault fault = load_playlist_file(file, &image);
  return validated(fault, image);
}

Validation read_playlist_file(const std::string& name) {
  PlaylistImage image;
  const PlaylistFault fault = load_playlist(name, &image);
  return validated(fault, image);
}

}  // namespace zelvok
