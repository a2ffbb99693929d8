// MPEG transport stream packets, as a camcorder writes its clips: 188-byte
// packets, or 192-byte ones whose first 4 bytes are an arrival time stamp
// (.MTS, .m2ts). All reads go through the bounds-checked byte reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/byte_reader.h"

namespace zelvok {

inline constexpr std::size_t kPacketSize = 188;
inline constexpr std::size_t kStampedPacketSize = 192;  // an arrival time stamp, then a packet
inline constexpr std::uint8_t kSyncByte = 0x47;
// How many packets at the head of a file decide whether it is a stream.
inline constexpr std::size_t kPacketsThatDecide = 8;
// Program numbers and PIDs the tables name.
inline constexpr std::uint16_t kPatPid = 0x0000;
// The 13 bits of a PID, wherever a header or table holds one.
inline constexpr std::uint16_t kPidMask = 0x1FFF;
inline constexpr std::uint8_t kH264StreamType = 0x1B;

// The packet size of a transport stream that begins with `head`, the first
// bytes of a file (at least kPacketsThatDecide packets of 192 bytes when the
// file holds them): 192 when the whole packets among its first eight all
// carry the sync byte after an arrival time stamp, else 188 when they do at
// their start, else 0. A playlist is never a stream: its first bytes are
// "MPLS0100", which hold a sync byte at neither place.
std::size_t stream_packet_size(ByteSpan head);

struct Packet {
  std::uint16_t pid;
  bool unit_start;   // a PES or table section begins in this payload
  ByteSpan payload;  // empty when the packet carries none
};

// The PID and unit_start flag of the packet at `offset`, read from its
// header alone, for a scan that passes over most packets unread. False when
// the header is cut by the end of `bytes` or its sync byte is wrong.
inline bool peek_packet(ByteSpan bytes, std::uint64_t offset, std::size_t packet_size,
                        std::uint16_t* pid, bool* unit_start) {
  const std::uint64_t at = offset + (packet_size - kPacketSize);
  if (!has_bytes(bytes, at, 3) || bytes[at] != kSyncByte) {
    return false;
  }
  *pid = static_cast<std::uint16_t>(((bytes[at + 1] << 8) | bytes[at + 2]) & kPidMask);
  *unit_start = (bytes[at + 1] & 0x40) != 0;
  return true;
}

// The packet at `offset` of a stream of `packet_size`-byte packets. False
// when the packet is cut by the end of `bytes`, its sync byte is wrong, or
// its adaptation field claims more than the packet holds.
bool read_packet(ByteSpan bytes, std::uint64_t offset, std::size_t packet_size, Packet* packet);

}  // namespace zelvok
