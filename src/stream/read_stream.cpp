#include "stream/read_stream.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>

#include "platform/folders.h"
#include "stream/clip_timeline.h"
#include "stream/frames.h"
#include "stream/tables.h"
#include "stream/transport.h"

namespace zelvok {
namespace {

// Where the tail of a file begins: kStreamTailBytes before its end, on its
// packet grid, and never before `after`, where the head ended.
std::uint64_t tail_start(std::uint64_t file_size, std::uint64_t after, std::size_t packet_size) {
  const std::uint64_t from_end = file_size > kStreamTailBytes ? file_size - kStreamTailBytes : 0;
  return std::max(after, (from_end + packet_size - 1) / packet_size * packet_size);
}

StreamFault read_clip(const OpenedFile& file, std::size_t packet_size, const std::string& name,
                      Playlist* playlist) {
  Region head;
  if (!read_region(file.descriptor, 0, std::min(file.size, kStreamHeadBytes), &head)) {
    return StreamFault::kAllocationFailed;
  }
  Region tail;
  if (packet_size != 0) {
    const std::uint64_t start =
        tail_start(file.size, head.size / packet_size * packet_size, packet_size);
    if (start < file.size && !read_region(file.descriptor, start, file.size - start, &tail)) {
      return StreamFault::kAllocationFailed;
    }
  }
  return clip_from_stream(head.span(), tail.span(), name, playlist) ? StreamFault::kNone
                                                                    : StreamFault::kNoDate;
}

}  // namespace

bool read_region(int descriptor, std::uint64_t offset, std::uint64_t size, Region* region) {
  region->bytes.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
  if (region->bytes == nullptr) {
    return false;
  }
  region->size = seek_to(descriptor, offset)
                     ? read_fully(descriptor, region->bytes.get(), static_cast<std::size_t>(size))
                     : 0;
  return true;
}

bool clip_from_stream(ByteSpan head, ByteSpan tail, const std::string& file_name,
                      Playlist* playlist) {
  const std::size_t packet_size = stream_packet_size(head);
  std::uint16_t pid = 0;
  if (packet_size == 0 || !find_video_pid(head, packet_size, &pid)) {
    return false;
  }
  return clip_from_frames(read_frames(head, packet_size, pid, true),
                          read_frames(tail, packet_size, pid, false), file_name, playlist);
}

std::size_t file_packet_size(const OpenedFile& file) {
  std::array<std::uint8_t, kPacketsThatDecide * kStampedPacketSize> head{};
  const std::size_t got = file.descriptor >= 0 && file.regular && seek_to(file.descriptor, 0)
                              ? read_fully(file.descriptor, head.data(), head.size())
                              : 0;
  return stream_packet_size(ByteSpan(head.data(), got));
}

StreamFault read_clip_file(const std::string& name, Playlist* playlist) {
  const OpenedFile file = open_for_reading(name);
  if (file.descriptor < 0) {
    return StreamFault::kOpenFailed;
  }
  const std::size_t packet_size = file_packet_size(file);
  StreamFault fault = StreamFault::kOpenFailed;
  if (file.regular) {
    fault = packet_size == 0 ? StreamFault::kNoDate
                             : read_clip(file, packet_size, base_name(name), playlist);
  }
  close_file(file.descriptor);
  return fault;
}

}  // namespace zelvok
