#include "stream/transport.h"

#include <algorithm>

namespace zelvok {
namespace {

// Where a packet's sync byte lies: after the arrival time stamp of a 192-byte
// packet.
std::size_t sync_offset(std::size_t packet_size) {
  return packet_size - kPacketSize;
}

bool every_packet_synced(ByteSpan head, std::size_t packet_size) {
  const std::size_t count = std::min(kPacketsThatDecide, head.size() / packet_size);
  if (count == 0) {
    return false;
  }
  for (std::size_t k = 0; k < count; ++k) {
    std::uint8_t sync = 0;
    if (!read_u8(head, k * packet_size + sync_offset(packet_size), &sync) || sync != kSyncByte) {
      return false;
    }
  }
  return true;
}

constexpr std::uint8_t kUnitStart = 0x40;
constexpr std::uint8_t kHasAdaptationField = 0x20;
constexpr std::uint8_t kHasPayload = 0x10;
constexpr std::size_t kHeaderSize = 4;

}  // namespace

std::size_t stream_packet_size(ByteSpan head) {
  if (every_packet_synced(head, kStampedPacketSize)) {
    return kStampedPacketSize;
  }
  return every_packet_synced(head, kPacketSize) ? kPacketSize : 0;
}

bool read_packet(ByteSpan bytes, std::uint64_t offset, std::size_t packet_size, Packet* packet) {
  ByteSpan whole;
  std::uint8_t sync = 0;
  std::uint16_t flags_and_pid = 0;
  std::uint8_t control = 0;
  if (!read_span(bytes, offset + sync_offset(packet_size), kPacketSize, &whole) ||
      !read_u8(whole, 0, &sync) || sync != kSyncByte || !read_u16(whole, 1, &flags_and_pid) ||
      !read_u8(whole, 3, &control)) {
    return false;
  }
  std::uint64_t payload_at = kHeaderSize;
  if ((control & kHasAdaptationField) != 0) {
    std::uint8_t adaptation_length = 0;
    if (!read_u8(whole, kHeaderSize, &adaptation_length)) {
      return false;
    }
    payload_at += 1 + std::uint64_t{adaptation_length};
  }
  if (payload_at > kPacketSize) {
    return false;
  }
  packet->pid = static_cast<std::uint16_t>(flags_and_pid & kPidMask);
  packet->unit_start = ((flags_and_pid >> 8) & kUnitStart) != 0;
  packet->payload = (control & kHasPayload) != 0 ? whole.subspan(payload_at) : ByteSpan{};
  return true;
}

}  // namespace zelvok
