#include "stream/read_clip_media.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "stream/clip_timeline.h"
#include "stream/frames.h"
#include "stream/picture.h"
#include "stream/sound.h"
#include "stream/tables.h"
#include "stream/transport.h"

namespace zelvok {
namespace {

constexpr std::size_t kPesHeadBytes = 4096;  // of a PES: its headers and first frame's

constexpr std::size_t kPicturesTried = 64;  // PESs searched for the picture's parameters

// The first bytes after the header of each of the first `count` PESs on
// `pid`.
std::vector<std::vector<std::uint8_t>> es_heads(ByteSpan bytes, std::size_t packet_size,
                                                std::uint16_t pid, std::size_t count) {
  std::vector<std::vector<std::uint8_t>> heads;
  std::vector<std::uint8_t> pes;
  const auto finish = [&] {
    std::uint64_t pts = 0;
    ByteSpan es;
    if (read_pes(pes, &pts, &es)) {
      heads.emplace_back(es.begin(), es.end());
    }
    pes.clear();
  };
  for (std::uint64_t at = 0; has_bytes(bytes, at, packet_size) && heads.size() < count;
       at += packet_size) {
    Packet packet{};
    if (!read_packet(bytes, at, packet_size, &packet) || packet.pid != pid ||
        (pes.empty() && !packet.unit_start)) {
      continue;
    }
    if (packet.unit_start && !pes.empty()) {
      finish();
    }
    if (pes.size() < kPesHeadBytes) {
      pes.insert(pes.end(), packet.payload.begin(), packet.payload.end());
    }
  }
  if (!pes.empty() && heads.size() < count) {
    finish();
  }
  return heads;
}

// The picture's parameters from the first PES on `pid` that holds them.
bool read_first_picture(ByteSpan bytes, std::size_t packet_size, std::uint16_t pid,
                        Picture* picture) {
  const std::vector<std::vector<std::uint8_t>> heads =
      es_heads(bytes, packet_size, pid, kPicturesTried);
  return std::any_of(heads.begin(), heads.end(), [&](const std::vector<std::uint8_t>& es) {
    return read_picture(es, picture);
  });
}

// The channels of the sound track on `pid`, from its first PES.
unsigned first_channels(ByteSpan bytes, std::size_t packet_size, const ProgramStream& stream) {
  const std::vector<std::vector<std::uint8_t>> heads = es_heads(bytes, packet_size, stream.pid, 1);
  return heads.empty() ? 0 : sound_channels(stream.type, heads.front());
}

}  // namespace

bool media_from_head(ByteSpan head, ClipMedia* media) {
  const std::size_t packet_size = stream_packet_size(head);
  const std::vector<ProgramStream> streams =
      packet_size == 0 ? std::vector<ProgramStream>{} : find_program_streams(head, packet_size);
  const auto video = std::find_if(streams.begin(), streams.end(), [](const ProgramStream& stream) {
    return stream.type == kH264StreamType;
  });
  if (video == streams.end()) {
    return false;
  }
  const std::vector<Frame> frames = read_frames(head, packet_size, video->pid, false);
  if (frames.empty()) {
    return false;
  }
  *media = head_timing(frames);
  media->has_picture = read_first_picture(head, packet_size, video->pid, &media->picture);
  for (const ProgramStream& stream : streams) {
    if (is_sound_type(stream.type)) {
      media->sounds.push_back({stream.pid, first_channels(head, packet_size, stream)});
    }
  }
  return true;
}

StreamFault read_clip_media(const std::string& name, ClipMedia* media) {
  const OpenedFile file = open_for_reading(name);
  if (file.descriptor < 0) {
    return StreamFault::kOpenFailed;
  }
  StreamFault fault = StreamFault::kOpenFailed;  // a device or a FIFO is not read
  Region head;
  if (file.regular) {
    if (!read_region(file.descriptor, 0, std::min(file.size, kStreamHeadBytes), &head)) {
      fault = StreamFault::kAllocationFailed;
    } else {
      fault = media_from_head(head.span(), media) ? StreamFault::kNone : StreamFault::kNoDate;
    }
  }
  close_file(file.descriptor);
  return fault;
}

}  // namespace zelvok
