#include "playlist/load.h"

#include <algorithm>
#include <array>
#include <new>

#include "playlist/validate.h"

namespace zelvok {
namespace {

PlaylistFault read_image(int descriptor, std::uint64_t size, PlaylistImage* image) {
  std::array<std::uint8_t, layout::kMagic.size()> head{};
  if (read_fully(descriptor, head.data(), head.size()) < head.size() || !has_magic(head)) {
    return PlaylistFault::kNotPlaylist;
  }
  if (size < head.size()) {
    // The file grew after it was measured: its size is no longer known.
    return PlaylistFault::kOpenFailed;
  }
  if (size > kMaxPlaylistSize) {
    return PlaylistFault::kAllocationFailed;
  }
  const auto byte_count = static_cast<std::size_t>(size);
  std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[byte_count]);
  if (bytes == nullptr) {
    return PlaylistFault::kAllocationFailed;
  }
  std::copy(head.begin(), head.end(), bytes.get());
  const std::size_t rest = byte_count - head.size();
  if (read_fully(descriptor, bytes.get() + head.size(), rest) < rest) {
    return PlaylistFault::kOpenFailed;
  }
  image->bytes = std::move(bytes);
  image->size = byte_count;
  return PlaylistFault::kNone;
}

}  // namespace

PlaylistFault load_playlist_file(const OpenedFile& file, PlaylistImage* image) {
  if (file.descriptor < 0 || !file.regular || !seek_to(file.descriptor, 0)) {
    return PlaylistFault::kOpenFailed;
  }
  image->identity = file.identity;
  return read_image(file.descriptor, file.size, image);
}

PlaylistFault load_playlist(const std::string& name, PlaylistImage* image) {
  const OpenedFile file = open_for_reading(name);
  const PlaylistFault fault = load_playlist_file(file, image);
  if (file.descriptor >= 0) {
    close_file(file.descriptor);
  }
  return fault;
}

}  // namespace zelvok
