// The stream stage of a run, for a clip whose playlist is gone: its date
// comes from the clip's own transport stream, read at its head and its end
// only, whatever its size.
#pragma once

#include <memory>
#include <string>

#include "model/byte_reader.h"
#include "model/playlist.h"
#include "platform/files.h"

namespace zelvok {

// The most a run reads of a stream: its head, for the dates and the frame
// times, and its end, for the last frame.
inline constexpr std::uint64_t kStreamHeadBytes = std::uint64_t{8} << 20;
inline constexpr std::uint64_t kStreamTailBytes = std::uint64_t{2} << 20;

// What keeps a clip from being dated from its stream.
enum class StreamFault {
  kNone,
  kOpenFailed,        // missing, unreadable, or not a regular file
  kAllocationFailed,  // no memory for what is read of it
  kNoDate,            // no stream, no video, or no frame with a date
};

// Bytes of a file read into memory.
struct Region {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t size = 0;  // bytes read, up to the end of the file
  ByteSpan span() const { return {bytes.get(), size}; }
};

// Reads up to `size` bytes of the file open on `descriptor` from `offset`
// on; false when there is no memory for them.
bool read_region(int descriptor, std::uint64_t offset, std::uint64_t size, Region* region);

// The packet size of the transport stream in `file` (192 or 188), read from
// its first bytes; 0 when it does not begin as a stream does.
std::size_t file_packet_size(const OpenedFile& file);

// Reads the named clip into `playlist`: one PlayItem named after the file.
// Prints nothing: the caller says what went wrong.
StreamFault read_clip_file(const std::string& name, Playlist* playlist);

// The clip of a stream from its head (its first bytes) and its tail (the
// bytes from one of its packet boundaries to its end; empty when the head
// holds it all), as a playlist of one PlayItem named after `file_name`.
// False when it has no video, or no frame with a date.
bool clip_from_stream(ByteSpan head, ByteSpan tail, const std::string& file_name,
                      Playlist* playlist);

}  // namespace zelvok
