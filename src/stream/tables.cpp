#include "stream/tables.h"

#include <algorithm>

#include "stream/transport.h"

namespace zelvok {
namespace {

constexpr std::uint8_t kPatTableId = 0x00;
constexpr std::uint8_t kPmtTableId = 0x02;
constexpr std::uint16_t kLengthMask = 0x0FFF;
constexpr std::uint64_t kSectionHeader = 3;  // table_id and section_length
constexpr std::uint64_t kCrcSize = 4;
constexpr std::uint64_t kPatEntries = 8;          // after the section's fixed fields
constexpr std::uint64_t kPatEntrySize = 4;        // program_number, PID
constexpr std::uint64_t kPmtProgramInfo = 10;     // u16: program_info_length
constexpr std::uint64_t kPmtFirstStream = 12;     // before the program descriptors
constexpr std::uint64_t kPmtStreamFixedSize = 5;  // stream_type, PID, ES_info_length

// The section of `table_id` that begins in a packet's payload, as far as the
// payload holds it, without its CRC.
bool read_section(ByteSpan payload, std::uint8_t table_id, ByteSpan* section) {
  std::uint8_t pointer = 0;
  if (!read_u8(payload, 0, &pointer) || 1u + pointer > payload.size()) {
    return false;
  }
  std::uint8_t id = 0;
  std::uint16_t length = 0;
  ByteSpan after_pointer;
  if (!read_span(payload, 1u + pointer, payload.size() - 1u - pointer, &after_pointer) ||
      !read_u8(after_pointer, 0, &id) || id != table_id || !read_u16(after_pointer, 1, &length)) {
    return false;
  }
  const std::uint64_t end = kSectionHeader + (length & kLengthMask);
  return end >= kCrcSize && read_span(after_pointer, 0, end - kCrcSize, section);
}

// The program map PID of the first program a PAT section names.
bool program_map_pid(ByteSpan section, std::uint16_t* pid) {
  for (std::uint64_t at = kPatEntries; has_bytes(section, at, kPatEntrySize); at += kPatEntrySize) {
    std::uint16_t program = 0;
    std::uint16_t map_pid = 0;
    if (read_u16(section, at, &program) && read_u16(section, at + 2, &map_pid) && program != 0) {
      *pid = static_cast<std::uint16_t>(map_pid & kPidMask);
      return true;
    }
  }
  return false;
}

// The elementary streams a program map section lists, in its order.
std::vector<ProgramStream> program_streams(ByteSpan section) {
  std::vector<ProgramStream> streams;
  std::uint16_t info_length = 0;
  if (!read_u16(section, kPmtProgramInfo, &info_length)) {
    return streams;
  }
  std::uint64_t at = kPmtFirstStream + (info_length & kLengthMask);
  while (has_bytes(section, at, kPmtStreamFixedSize)) {
    ProgramStream stream{};
    std::uint16_t es_info_length = 0;
    (void)read_u8(section, at, &stream.type);  // inside the fixed fields checked above
    (void)read_u16(section, at + 1, &stream.pid);
    (void)read_u16(section, at + 3, &es_info_length);
    stream.pid &= kPidMask;
    streams.push_back(stream);
    at += kPmtStreamFixedSize + (es_info_length & kLengthMask);
  }
  return streams;
}

// The first section of `table_id` on `pid` among the packets of `bytes`.
bool first_section(ByteSpan bytes, std::size_t packet_size, std::uint16_t pid,
                   std::uint8_t table_id, ByteSpan* section) {
  for (std::uint64_t at = 0; has_bytes(bytes, at, packet_size); at += packet_size) {
    Packet packet{};
    if (read_packet(bytes, at, packet_size, &packet) && packet.pid == pid && packet.unit_start &&
        read_section(packet.payload, table_id, section)) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::vector<ProgramStream> find_program_streams(ByteSpan bytes, std::size_t packet_size) {
  ByteSpan pat;
  ByteSpan pmt;
  std::uint16_t map_pid = 0;
  if (first_section(bytes, packet_size, kPatPid, kPatTableId, &pat) &&
      program_map_pid(pat, &map_pid) &&
      first_section(bytes, packet_size, map_pid, kPmtTableId, &pmt)) {
    return program_streams(pmt);
  }
  return {};
}

bool find_video_pid(ByteSpan bytes, std::size_t packet_size, std::uint16_t* pid) {
  const std::vector<ProgramStream> streams = find_program_streams(bytes, packet_size);
  const auto video = std::find_if(streams.begin(), streams.end(), [](const ProgramStream& stream) {
    return stream.type == kH264StreamType;
  });
  if (video == streams.end()) {
    return false;
  }
  *pid = video->pid;
  return true;
}

}  // namespace zelvok
