#include "stream/frames.h"

#include "stream/transport.h"

namespace zelvok {
namespace {

constexpr std::uint64_t kPesFlags = 7;         // u8: PTS_DTS_flags in the top two bits
constexpr std::uint64_t kPesHeaderLength = 8;  // u8: bytes of optional fields after it
constexpr std::uint64_t kPesFixedSize = 9;
constexpr std::uint8_t kHasPts = 0x80;
constexpr std::uint64_t kPtsSize = 5;

// The 33-bit time stamp of a PES header: 3, 15 and 15 bits, each followed by
// a marker bit.
std::uint64_t timestamp(ByteSpan field) {
  return (std::uint64_t{field[0] & 0x0Eu} << 29) | (std::uint64_t{field[1]} << 22) |
         (std::uint64_t{field[2] & 0xFEu} << 14) | (std::uint64_t{field[3]} << 7) |
         (std::uint64_t{field[4]} >> 1);
}

}  // namespace

bool read_pes(ByteSpan pes, std::uint64_t* pts, ByteSpan* es) {
  std::uint8_t flags = 0;
  std::uint8_t header_length = 0;
  ByteSpan field;
  if (!has_text(pes, 0, std::string_view("\0\0\1", 3)) || !read_u8(pes, kPesFlags, &flags) ||
      (flags & kHasPts) == 0 || !read_u8(pes, kPesHeaderLength, &header_length) ||
      !read_span(pes, kPesFixedSize, kPtsSize, &field)) {
    return false;
  }
  *pts = timestamp(field);
  const std::uint64_t es_at = kPesFixedSize + header_length;
  *es = es_at <= pes.size() ? pes.subspan(es_at) : ByteSpan{};
  return true;
}

namespace {

// A PES gathered from its packets, turned into a frame.
void add_frame(ByteSpan pes, bool with_dates, std::vector<std::uint8_t>* scratch,
               std::vector<Frame>* frames) {
  Frame frame{};
  ByteSpan es;
  if (!read_pes(pes, &frame.pts, &es)) {
    return;
  }
  if (with_dates) {
    read_frame_date(es, &frame.date, scratch);
  }
  frames->push_back(frame);
}

}  // namespace

std::vector<Frame> read_frames(ByteSpan bytes, std::size_t packet_size, std::uint16_t pid,
                               bool with_dates) {
  std::vector<Frame> frames;
  std::vector<std::uint8_t> pes;
  std::vector<std::uint8_t> scratch;
  bool in_pes = false;
  for (std::uint64_t at = 0; has_bytes(bytes, at, packet_size); at += packet_size) {
    Packet packet{};
    if (!read_packet(bytes, at, packet_size, &packet) || packet.pid != pid) {
      continue;
    }
    if (packet.unit_start) {
      if (in_pes) {
        add_frame(pes, with_dates, &scratch, &frames);
      }
      pes.clear();
      in_pes = true;
    }
    if (in_pes) {
      pes.insert(pes.end(), packet.payload.begin(), packet.payload.end());
    }
  }
  if (in_pes) {
    add_frame(pes, with_dates, &scratch, &frames);
  }
  return frames;
}

}  // namespace zelvok
