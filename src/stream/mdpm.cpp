#include "stream/mdpm.h"

#include <algorithm>
#include <array>

#include "stream/nal.h"

namespace zelvok {
namespace {

constexpr std::uint8_t kStopByte = 0x80;  // the RBSP's trailing stop bit, then zeros
constexpr std::uint64_t kUserDataUnregistered = 5;

// The camera makers' UUID of user data that holds MDPM tags, then the tag.
constexpr std::array<std::uint8_t, 20> kMdpmHeader = {0x17, 0xEE, 0x8C, 0x60, 0xF8, 0x4D, 0x11,
                                                      0xD9, 0x8C, 0xD6, 0x08, 0x00, 0x20, 0x0C,
                                                      0x9A, 0x66, 'M',  'D',  'P',  'M'};
constexpr std::uint64_t kTagEntrySize = 5;  // the tag, then four bytes
constexpr std::uint8_t kYearMonthTag = 0x18;
constexpr std::uint8_t kDayTimeTag = 0x19;

// An SEI value: a run of 0xFF bytes, each adding 255, then a last byte.
bool read_sei_value(ByteSpan rbsp, std::uint64_t* at, std::uint64_t* value) {
  *value = 0;
  std::uint8_t byte = 0xFF;
  while (byte == 0xFF) {
    if (!read_u8(rbsp, (*at)++, &byte)) {
      return false;
    }
    *value += byte;
  }
  return true;
}

// Where `tag` stands in kCameraTags; its size when it is not there.
std::size_t camera_index(std::uint8_t tag) {
  return static_cast<std::size_t>(std::find(kCameraTags.begin(), kCameraTags.end(), tag) -
                                  kCameraTags.begin());
}

void read_camera_tag(std::uint8_t tag, ByteSpan entry, CameraTags* tags) {
  const std::size_t index = camera_index(tag);
  const std::uint32_t bit = std::uint32_t{1} << index;
  if (index == kCameraTags.size() || (tags->recorded & bit) != 0) {
    return;
  }
  std::copy(entry.begin() + 1, entry.begin() + 1 + kTagValueSize, tags->values[index].begin());
  tags->recorded |= bit;
}

void read_tag(ByteSpan entry, FrameDate* date) {
  std::uint8_t tag = 0;
  (void)read_u8(entry, 0, &tag);  // the entry's size was checked by the caller
  read_camera_tag(tag, entry, &date->camera);
  SceneEntry& fields = date->entry;
  if (tag == kYearMonthTag && !date->has_year_month) {
    date->has_year_month = read_u8(entry, 1, &fields.zone) && read_u16(entry, 2, &fields.year) &&
                           read_u8(entry, 4, &fields.month);
  } else if (tag == kDayTimeTag && !date->has_day_time) {
    date->has_day_time = read_u8(entry, 1, &fields.day) && read_u8(entry, 2, &fields.hour) &&
                         read_u8(entry, 3, &fields.minute) && read_u8(entry, 4, &fields.second);
  }
}

// An MDPM message: its header, a count, then that many tag entries, as far
// as the message holds them.
void read_mdpm(ByteSpan message, FrameDate* date) {
  std::uint8_t count = 0;
  if (!has_bytes(message, 0, kMdpmHeader.size()) ||
      !std::equal(kMdpmHeader.begin(), kMdpmHeader.end(), message.begin()) ||
      !read_u8(message, kMdpmHeader.size(), &count)) {
    return;
  }
  const std::uint64_t first = kMdpmHeader.size() + 1;
  for (std::uint64_t k = 0; k < count; ++k) {
    ByteSpan entry;
    if (!read_span(message, first + k * kTagEntrySize, kTagEntrySize, &entry)) {
      return;
    }
    read_tag(entry, date);
  }
}

// Walks the SEI messages of an SEI RBSP up to its trailing stop bit, the
// last 0x80 (or its end, when it has none).
void read_sei(ByteSpan rbsp, FrameDate* date) {
  const auto from_end = std::find(rbsp.rbegin(), rbsp.rend(), kStopByte);
  std::uint64_t stop = rbsp.size();
  if (from_end != rbsp.rend()) {
    stop = static_cast<std::uint64_t>(rbsp.rend() - from_end) - 1;
  }
  std::uint64_t at = 0;
  while (at < stop) {
    std::uint64_t type = 0;
    std::uint64_t size = 0;
    ByteSpan message;
    if (!read_sei_value(rbsp, &at, &type) || !read_sei_value(rbsp, &at, &size) ||
        !read_span(rbsp, at, size, &message)) {
      return;  // a message longer than its NAL unit is dropped, and ends the walk
    }
    if (type == kUserDataUnregistered) {
      read_mdpm(message, date);
    }
    at += size;
  }
}

}  // namespace

const std::array<std::uint8_t, kTagValueSize>* camera_tag(const CameraTags& tags,
                                                          std::uint8_t tag) {
  const std::size_t index = camera_index(tag);
  if (index == kCameraTags.size() || (tags.recorded & (std::uint32_t{1} << index)) == 0) {
    return nullptr;
  }
  return &tags.values[index];
}

void read_frame_date(ByteSpan es, FrameDate* date, std::vector<std::uint8_t>* scratch) {
  std::uint64_t at = 0;
  ByteSpan nal;
  while (next_nal(es, &at, &nal)) {
    std::uint8_t header = 0;
    if (!read_u8(nal, 0, &header) || (header & kNalTypeMask) != kSeiNal) {
      continue;
    }
    unescape(nal.subspan(1), scratch);
    read_sei(*scratch, date);
  }
}

}  // namespace zelvok
