#include "stream/read_camera_track.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "model/pts_clock.h"
#include "platform/files.h"
#include "stream/camera_data.h"
#include "stream/frames.h"
#include "stream/tables.h"
#include "stream/transport.h"

namespace zelvok {
namespace {

constexpr std::size_t kBlockPackets = 1366;    // 256 KiB of 192-byte packets, kept in cache
constexpr std::size_t kFrameHeadBytes = 4096;  // of a frame's PES: its headers and SEI
constexpr std::uint8_t kStabiliserTag = 0x71;

// A frame as read, in file order: its PTS, its pack (an index into the
// packs read, each kept once for a run of frames that share it), its date.
struct RawFrame {
  std::uint64_t pts;
  std::uint32_t pack;
  SceneEntry recorded;
};

struct Scan {
  std::uint16_t pid = 0;
  std::vector<std::uint8_t> pes;  // the start of the frame being gathered
  bool in_pes = false;
  std::vector<std::uint8_t> scratch;
  std::vector<CameraTags> packs;
  std::vector<RawFrame> frames;
};

bool same_tags(const CameraTags& a, const CameraTags& b) {
  return a.recorded == b.recorded && a.values == b.values;
}

void finish_frame(Scan* scan) {
  std::uint64_t pts = 0;
  ByteSpan es;
  if (!scan->in_pes || !read_pes(scan->pes, &pts, &es)) {
    return;
  }
  FrameDate date;
  read_frame_date(es, &date, &scan->scratch);
  if (scan->packs.empty() || !same_tags(scan->packs.back(), date.camera)) {
    scan->packs.push_back(date.camera);
  }
  scan->frames.push_back(RawFrame{pts, static_cast<std::uint32_t>(scan->packs.size() - 1),
                                  is_dated(date) ? date.entry : SceneEntry{}});
}

void scan_packets(ByteSpan block, std::size_t packet_size, Scan* scan) {
  for (std::uint64_t at = 0; has_bytes(block, at, packet_size); at += packet_size) {
    std::uint16_t pid = 0;
    bool unit_start = false;
    // Only the packets that start a frame, and the few after them up to its
    // SEI, are read further.
    if (!peek_packet(block, at, packet_size, &pid, &unit_start) || pid != scan->pid ||
        (!unit_start && (!scan->in_pes || scan->pes.size() >= kFrameHeadBytes))) {
      continue;
    }
    Packet packet{};
    if (!read_packet(block, at, packet_size, &packet)) {
      continue;
    }
    if (packet.unit_start) {
      finish_frame(scan);
      scan->pes.clear();
      scan->in_pes = true;
    }
    if (scan->in_pes && scan->pes.size() < kFrameHeadBytes) {
      const std::size_t take = std::min(packet.payload.size(), kFrameHeadBytes - scan->pes.size());
      const ByteSpan head = packet.payload.first(take);
      scan->pes.insert(scan->pes.end(), head.begin(), head.end());
    }
  }
}

// Every packet of the file, block by block; the video PID from the first
// block, where the program tables stand.
StreamFault scan_file(const OpenedFile& file, std::size_t packet_size, Scan* scan) {
  std::vector<std::uint8_t> block(kBlockPackets * packet_size);
  bool first = true;
  for (;;) {
    const std::size_t got = read_fully(file.descriptor, block.data(), block.size());
    const ByteSpan bytes(block.data(), got - got % packet_size);
    if (first && !find_video_pid(bytes, packet_size, &scan->pid)) {
      return StreamFault::kNoDate;
    }
    first = false;
    scan_packets(bytes, packet_size, scan);
    if (got < block.size()) {
      break;
    }
  }
  finish_frame(scan);
  return StreamFault::kNone;
}

// Each setting as it was last recorded, else as first recorded.
void carry(const CameraSettings& now, CameraSettings* shown) {
  const auto take = [](const auto& value, auto* into) {
    if (value) {
      *into = value;
    }
  };
  take(now.aperture_tenths, &shown->aperture_tenths);
  take(now.exposure, &shown->exposure);
  take(now.gain_db, &shown->gain_db);
  take(now.white_balance, &shown->white_balance);
  take(now.exposure_mode, &shown->exposure_mode);
}

struct Decoded {
  CameraSettings settings;
  bool stabiliser_recorded;
  bool position;
  GpsFix fix;
};

std::vector<Decoded> decode_packs(const std::vector<CameraTags>& packs) {
  std::vector<Decoded> decoded(packs.size());
  std::transform(packs.begin(), packs.end(), decoded.begin(), [](const CameraTags& tags) {
    return Decoded{camera_settings(tags), camera_tag(tags, kStabiliserTag) != nullptr,
                   records_position(tags), gps_fix(tags)};
  });
  return decoded;
}

// What the display shows once a frame's pack is taken in.
void take_in(const Decoded& pack, CameraState* state) {
  carry(pack.settings, &state->settings);
  if (pack.stabiliser_recorded) {
    state->settings.stabiliser_off = pack.settings.stabiliser_off;
  }
  if (pack.position) {
    state->fix = pack.fix;  // whole: a field that pack lacks is not recorded
  }
}

// What the earliest frames recorded of each setting and of the position,
// for the frames before any recorded it.
CameraState earliest(const std::vector<RawFrame>& frames, const std::vector<Decoded>& decoded) {
  CameraState state;
  for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
    take_in(decoded[frame->pack], &state);
  }
  return state;
}

void resolve_states(const std::vector<RawFrame>& frames, std::int64_t first,
                    const std::vector<Decoded>& decoded, CameraTrack* track) {
  CameraState state = earliest(frames, decoded);
  for (const RawFrame& frame : frames) {
    take_in(decoded[frame.pack], &state);
    // A run of frames that show the same is kept as its first.
    if (track->states.empty() || !(track->states.back() == state)) {
      track->states.push_back(state);
      track->frames.push_back(TrackFrame{floor_ms(static_cast<std::int64_t>(frame.pts) - first),
                                         static_cast<std::uint32_t>(track->states.size() - 1)});
    }
  }
}

// The track's points: each valid fix with a time, from the first frame that
// carries that time.
void add_points(const std::vector<RawFrame>& frames, const std::vector<Decoded>& decoded,
                CameraTrack* track) {
  for (const RawFrame& frame : frames) {
    const Decoded& pack = decoded[frame.pack];
    const GpsFix& fix = pack.fix;
    if (!pack.position || fix.void_fix || !fix.latitude || !fix.longitude || !fix.time ||
        (!track->points.empty() && track->points.back().fix.time == fix.time)) {
      continue;
    }
    track->points.push_back(TrackPoint{fix, frame.recorded});
  }
}

}  // namespace

StreamFault read_camera_track(const std::string& name, CameraTrack* track) {
  const OpenedFile file = open_for_reading(name);
  if (file.descriptor < 0) {
    return StreamFault::kOpenFailed;
  }
  const std::size_t packet_size = file.regular ? file_packet_size(file) : 0;
  Scan scan;
  StreamFault fault = !file.regular ? StreamFault::kOpenFailed : StreamFault::kNoDate;
  try {
    if (packet_size != 0 && seek_to(file.descriptor, 0)) {
      fault = scan_file(file, packet_size, &scan);
    }
  } catch (const std::bad_alloc&) {
    fault = StreamFault::kAllocationFailed;
  }
  close_file(file.descriptor);
  if (fault != StreamFault::kNone || scan.frames.empty()) {
    return fault == StreamFault::kNone ? StreamFault::kNoDate : fault;
  }
  const std::uint64_t reference = scan.frames.front().pts;
  // Each PTS as the time nearest the first frame's in the file.
  for (RawFrame& frame : scan.frames) {
    frame.pts = static_cast<std::uint64_t>(unwrapped_pts(frame.pts, reference));
  }
  std::stable_sort(scan.frames.begin(), scan.frames.end(),
                   [](const RawFrame& a, const RawFrame& b) {
                     return static_cast<std::int64_t>(a.pts) < static_cast<std::int64_t>(b.pts);
                   });
  const auto first = static_cast<std::int64_t>(scan.frames.front().pts);
  track->first_shown_pts = on_clock(first);
  const std::vector<Decoded> decoded = decode_packs(scan.packs);
  resolve_states(scan.frames, first, decoded, track);
  add_points(scan.frames, decoded, track);
  return StreamFault::kNone;
}

}  // namespace zelvok
