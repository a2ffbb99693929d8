#include "support/stream_builder.h"

#include <algorithm>

namespace zelvok::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kTsPacket = 188;
constexpr std::size_t kTsPayload = 184;
constexpr std::uint16_t kPcrPid = 0x1001;
constexpr std::uint16_t kAudioPid = 0x1100;
constexpr std::uint16_t kSubtitlePid = 0x1200;
constexpr std::uint16_t kNetworkPid = 0x001F;

std::uint8_t bcd(unsigned value) {
  return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

void put16(Bytes* out, unsigned value) {
  out->push_back(static_cast<std::uint8_t>(value >> 8));
  out->push_back(static_cast<std::uint8_t>(value));
}

void put32(Bytes* out, std::uint32_t value) {
  put16(out, value >> 16);
  put16(out, value & 0xFFFF);
}

// CRC-32 of MPEG-2 sections: polynomial 0x04C11DB7, all ones first, no
// reflection, nothing added at the end.
std::uint32_t mpeg_crc(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const std::uint8_t byte : bytes) {
    crc ^= std::uint32_t{byte} << 24;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x80000000) != 0 ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
    }
  }
  return crc;
}

// A table section from its table_id and the bytes after section_length, with
// its CRC, behind a pointer field of 0.
Bytes section(std::uint8_t table_id, const Bytes& body) {
  Bytes out = {table_id};
  put16(&out, 0xB000 | (body.size() + 4));  // syntax indicator, reserved bits, length
  out.insert(out.end(), body.begin(), body.end());
  put32(&out, mpeg_crc(out));
  out.insert(out.begin(), 0x00);
  return out;
}

Bytes pat(const StreamPlan& plan) {
  Bytes body;
  put16(&body, 1);  // transport_stream_id
  body.insert(body.end(), {0xC1, 0x00, 0x00});
  put16(&body, 0);  // program 0: the network PID, which is no program
  put16(&body, 0xE000 | kNetworkPid);
  put16(&body, 1);
  put16(&body, 0xE000 | plan.map_pid);
  return section(0x00, body);
}

void put_stream(Bytes* body, std::uint8_t type, std::uint16_t pid) {
  body->push_back(type);
  put16(body, 0xE000 | pid);
  put16(body, 0xF000);  // no descriptors
}

Bytes program_map(const StreamPlan& plan) {
  Bytes body;
  put16(&body, 1);  // program_number
  body.insert(body.end(), {0xC1, 0x00, 0x00});
  put16(&body, 0xE000 | kPcrPid);
  put16(&body, 0xF006);  // program_info_length 6: one descriptor
  body.insert(body.end(), {0x05, 0x04, 'H', 'D', 'M', 'V'});
  if (plan.other_streams) {
    put_stream(&body, 0x81, kAudioPid);     // AC-3
    put_stream(&body, 0x90, kSubtitlePid);  // PGS
  }
  if (plan.video_listed) {
    put_stream(&body, 0x1B, plan.video_pid);
  }
  return section(0x02, body);
}

// Writes packets; counts continuity per PID and stamps arrival times.
struct Packets {
  const StreamPlan& plan;
  Bytes out;
  std::array<std::uint8_t, 0x2000> continuity{};
  std::uint32_t arrival = 0;

  // One packet: `payload` (at most 184 bytes, less an adaptation field)
  // after an adaptation field that fills what the payload leaves, or one of
  // at least `adaptation` bytes.
  void put(std::uint16_t pid, bool unit_start, const Bytes& payload, std::size_t adaptation = 0) {
    if (plan.packet_size == 192) {
      put32(&out, arrival);
      arrival += 1500;
    }
    const std::size_t field =
        std::max(adaptation, kTsPayload - std::min(payload.size(), kTsPayload));
    out.push_back(0x47);
    put16(&out, (unit_start ? 0x4000 : 0) | pid);
    const std::uint8_t control = (payload.empty() ? 0x20 : 0x10) | (field > 0 ? 0x20 : 0);
    out.push_back(static_cast<std::uint8_t>(control | (continuity[pid]++ & 0x0F)));
    if (field > 0) {
      out.push_back(static_cast<std::uint8_t>(field - 1));
      if (field > 1) {
        out.push_back(0x00);  // no flags
        out.insert(out.end(), field - 2, 0xFF);
      }
    }
    out.insert(out.end(), payload.begin(),
               payload.begin() +
                   static_cast<std::ptrdiff_t>(std::min(payload.size(), kTsPacket - 4 - field)));
  }

  // A PES cut into packets; the first may hold only `first_bytes` of it.
  void put_pes(std::uint16_t pid, const Bytes& pes, std::size_t first_bytes = kTsPayload) {
    std::size_t at = 0;
    bool first = true;
    while (at < pes.size()) {
      const std::size_t room = first ? std::min(first_bytes, kTsPayload) : kTsPayload;
      const std::size_t take = std::min(room, pes.size() - at);
      put(pid, first,
          Bytes(pes.begin() + static_cast<std::ptrdiff_t>(at),
                pes.begin() + static_cast<std::ptrdiff_t>(at + take)),
          kTsPayload - room);
      at += take;
      first = false;
    }
  }
};

void put_timestamp(Bytes* out, std::uint8_t prefix, std::uint64_t time) {
  out->push_back(static_cast<std::uint8_t>(prefix << 4 | ((time >> 29) & 0x0E) | 1));
  put16(out, static_cast<unsigned>(((time >> 14) & 0xFFFE) | 1));
  put16(out, static_cast<unsigned>(((time << 1) & 0xFFFE) | 1));
}

// A value of an SEI message header: 0xFF for each 255, then the rest.
void put_sei_value(Bytes* out, std::size_t value) {
  for (; value >= 255; value -= 255) {
    out->push_back(0xFF);
  }
  out->push_back(static_cast<std::uint8_t>(value));
}

constexpr std::array<std::uint8_t, 16> kMdpmUuid = {0x17, 0xEE, 0x8C, 0x60, 0xF8, 0x4D, 0x11, 0xD9,
                                                    0x8C, 0xD6, 0x08, 0x00, 0x20, 0x0C, 0x9A, 0x66};

Bytes sei_payload(const SeiMessage& message) {
  Bytes payload;
  if (!message.mdpm) {
    payload.insert(payload.end(), 16, 0x42);
    payload.insert(payload.end(), message.other_bytes, 0x00);
    return payload;
  }
  payload.insert(payload.end(), kMdpmUuid.begin(), kMdpmUuid.end());
  payload.insert(payload.end(), {'M', 'D', 'P', 'M'});
  payload.push_back(message.tag_count.value_or(static_cast<std::uint8_t>(message.tags.size())));
  for (const MdpmTag& tag : message.tags) {
    payload.push_back(tag.tag);
    payload.insert(payload.end(), tag.bytes.begin(), tag.bytes.end());
  }
  return payload;
}

// An RBSP as NAL unit bytes: 03 goes in after every 00 00 that a byte of 3
// or less would follow.
Bytes escaped(const Bytes& rbsp) {
  Bytes out;
  int zeros = 0;
  for (const std::uint8_t byte : rbsp) {
    if (zeros >= 2 && byte <= 3) {
      out.push_back(0x03);
      zeros = 0;
    }
    out.push_back(byte);
    zeros = byte == 0 ? zeros + 1 : 0;
  }
  return out;
}

void put_nal(Bytes* out, std::uint8_t header, const Bytes& rbsp) {
  out->insert(out->end(), {0x00, 0x00, 0x00, 0x01, header});
  const Bytes nal = escaped(rbsp);
  out->insert(out->end(), nal.begin(), nal.end());
}

// One access unit: a delimiter, the SEI, and a slice whose bytes never form
// a start code.
void put_access_unit(Bytes* out, const FramePlan& frame, bool with_sei) {
  put_nal(out, 0x09, {0xF0});
  if (with_sei && !frame.sei.empty()) {
    Bytes rbsp;
    for (const SeiMessage& message : frame.sei) {
      const Bytes payload = sei_payload(message);
      put_sei_value(&rbsp, 5);
      put_sei_value(&rbsp, message.claimed_size.value_or(payload.size()));
      rbsp.insert(rbsp.end(), payload.begin(), payload.end());
    }
    rbsp.push_back(0x80);
    put_nal(out, 0x06, rbsp);
  }
  Bytes slice = {0x88, 0x84};
  for (std::size_t k = 0; k < frame.slice_bytes; ++k) {
    slice.push_back(static_cast<std::uint8_t>(0x40 + k % 0x80));
  }
  put_nal(out, 0x65, slice);
}

Bytes video_pes(const FramePlan& frame) {
  Bytes pes = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x80};
  pes.push_back(frame.dts ? 0xC0 : 0x80);
  pes.push_back(frame.dts ? 10 : 5);
  put_timestamp(&pes, frame.dts ? 0x3 : 0x2, frame.pts);
  if (frame.dts) {
    put_timestamp(&pes, 0x1, *frame.dts);
  }
  put_access_unit(&pes, frame, true);
  if (frame.second_field) {
    put_access_unit(&pes, frame, false);
  }
  return pes;
}

// A PES of a private stream, as audio and subtitles are carried.
Bytes other_pes(std::uint8_t stream_id, std::uint64_t pts, std::size_t size) {
  Bytes pes = {0x00, 0x00, 0x01, stream_id};
  put16(&pes, static_cast<unsigned>(size + 8));
  pes.insert(pes.end(), {0x81, 0x80, 0x05});
  put_timestamp(&pes, 0x2, pts);
  pes.insert(pes.end(), size, 0x0B);
  return pes;
}

}  // namespace

std::vector<MdpmTag> date_tags(std::uint8_t zone, unsigned year, unsigned month, unsigned day,
                               unsigned hour, unsigned minute, unsigned second) {
  return {{0x18, {zone, bcd(year / 100), bcd(year % 100), bcd(month)}},
          {0x19, {bcd(day), bcd(hour), bcd(minute), bcd(second)}}};
}

std::vector<MdpmTag> camera_tags(const std::vector<MdpmTag>& date) {
  std::vector<MdpmTag> tags = {{0x13, {0x00, 0x00, 0x00, 0x01}},  // a timecode: 00 00 03 01
                               {0x14, {0x00, 0x00, 0x00, 0x00}}};
  tags.insert(tags.end(), date.begin(), date.end());
  tags.push_back({0x70, {0x00, 0x00, 0x02, 0x30}});
  tags.push_back({0x71, {0x12, 0x00, 0x00, 0x03}});
  tags.push_back({0x7F, {0xFF, 0xFF, 0xFF, 0xFF}});
  tags.push_back({0xA4, {0x00, 0x00, 0x00, 0x00}});
  tags.push_back({0xA9, {0x80, 0x00, 0x80, 0x00}});
  tags.push_back({0xE0, {0x01, 0x03, 0x00, 0x00}});
  for (std::uint8_t tag = 0xE6; tag <= 0xEF; ++tag) {
    tags.push_back({tag, {0x00, 0x00, static_cast<std::uint8_t>(tag & 0x03), 0x18}});
  }
  return tags;
}

std::vector<FramePlan> gop_frames(std::size_t count, std::uint64_t first_pts,
                                  const std::vector<std::vector<MdpmTag>>& dates_in_order) {
  std::vector<std::size_t> order;
  for (std::size_t k = 2; k < count; k += 3) {
    order.insert(order.end(), {k, k - 2, k - 1});
  }
  for (std::size_t k = order.size(); k < count; ++k) {
    order.push_back(k);
  }
  std::vector<FramePlan> frames;
  for (const std::size_t k : order) {
    FramePlan frame;
    frame.pts = first_pts + 3600 * k;
    frame.dts = first_pts - 3600 + 3600 * frames.size();
    if (k < dates_in_order.size() && !dates_in_order[k].empty()) {
      frame.sei.push_back(SeiMessage{true, dates_in_order[k], 0, std::nullopt, std::nullopt});
    }
    frame.slice_bytes = 40000;  // a PES of hundreds of packets
    frame.second_field = true;
    frames.push_back(frame);
  }
  return frames;
}

StreamPlan ticking_clip(std::uint64_t first_pts) {
  std::vector<std::vector<MdpmTag>> dates;
  for (unsigned k = 0; k < 36; ++k) {
    dates.push_back(camera_tags(date_tags(0x46, 2021, 1, 17, 17, 33, k < 13 ? 16 : 17)));
  }
  StreamPlan plan;
  plan.frames = gop_frames(36, first_pts, dates);
  return plan;
}

std::vector<std::uint8_t> build_stream(const StreamPlan& plan) {
  Packets packets{plan, {}, {}, 0};
  const std::array<Bytes, 2> tables = {pat(plan), program_map(plan)};
  packets.put(plan.map_first ? plan.map_pid : 0, true, tables[plan.map_first ? 1 : 0]);
  packets.put(plan.map_first ? 0 : plan.map_pid, true, tables[plan.map_first ? 0 : 1]);
  packets.put(kPcrPid, false, {}, kTsPayload);  // a PCR packet: an adaptation field only
  for (const FramePlan& frame : plan.frames) {
    packets.put_pes(plan.video_pid, video_pes(frame), frame.header_runs_on ? 6 : kTsPayload);
    if (plan.other_streams) {
      packets.put_pes(kAudioPid, other_pes(0xBD, frame.pts, 400));
      packets.put_pes(kSubtitlePid, other_pes(0xBD, frame.pts, 60));
    }
  }
  Bytes out = std::move(packets.out);
  out.resize(out.size() - std::min(plan.cut, out.size()));
  return out;
}

}  // namespace zelvok::testing
