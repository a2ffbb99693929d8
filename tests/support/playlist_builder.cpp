#include "support/playlist_builder.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace zelvok::testing {
namespace {

// Where the builder puts each field, typed from the movie playlist format
// (and checked against real camcorder playlists in the tests), not taken from
// the program: a fault in one is not hidden by the other.
constexpr std::size_t kMagicSize = 8;               // "MPLS0100"
constexpr std::size_t kPlayListAddressAt = 8;       // u32 in the header
constexpr std::size_t kPlayListMarkAddressAt = 12;  // u32 in the header
constexpr std::size_t kExtensionAddressAt = 16;     // u32 in the header
constexpr std::size_t kRecordLengthSize = 2;        // a PlayItem's u16 length field
constexpr std::size_t kExtensionEntryCountAt = 11;  // u8 after length, data block address, 3 bytes
constexpr std::size_t kSceneTableSizeAt = 326;      // u16 in the PLEX block
constexpr std::size_t kFirstSceneAt = 330;          // after the table size and the count
constexpr std::size_t kSceneEntrySize = 66;
constexpr std::size_t kSceneTableSizeExtra = 2;  // the table size counts the count field
// Sizes of the parts the program does not read, as a camcorder lays them out.
constexpr std::size_t kAppInfoEnd = 58;           // header and AppInfoPlayList
constexpr std::uint16_t kRecordBodyLength = 48;   // PlayItem bytes after the length field
constexpr std::size_t kExtensionHeaderSize = 24;  // up to the first data block
constexpr std::size_t kSceneMarker = 44;          // a byte each camera fills its own way
constexpr std::uint32_t kRecordingStart = 46501;  // IN time of a recording's first part

struct Writer {
  std::vector<std::uint8_t> bytes;

  void u8(std::uint8_t value) { bytes.push_back(value); }
  void u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value >> 8));
    u8(static_cast<std::uint8_t>(value));
  }
  void u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value >> 16));
    u16(static_cast<std::uint16_t>(value));
  }
  void text(const std::string& value) { bytes.insert(bytes.end(), value.begin(), value.end()); }
  void zeros_to(std::size_t size) {
    if (bytes.size() < size) {
      bytes.resize(size, 0);
    }
  }
  void put_u16(std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value);
  }
  void put_u32(std::size_t at, std::uint32_t value) {
    put_u16(at, static_cast<std::uint16_t>(value >> 16));
    put_u16(at + 2, static_cast<std::uint16_t>(value));
  }
};

std::uint8_t bcd(unsigned value) {
  return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

void write_play_item(Writer* out, const ClipPlan& clip) {
  const std::size_t start = out->bytes.size();
  out->u16(clip.length.value_or(kRecordBodyLength));
  out->text(clip.name);
  out->text("M2TS");
  out->u8(0);  // reserved, multi-angle flag
  out->u8(clip.connection);
  out->u8(0);  // STC reference
  out->u32(clip.in_time);
  out->u32(clip.out_time);
  out->zeros_to(start + kRecordLengthSize + kRecordBodyLength);
}

void write_playlist(Writer* out, const PlaylistPlan& plan) {
  const std::size_t start = out->bytes.size();
  out->u32(0);  // length, filled in below
  out->u16(0);
  out->u16(plan.play_item_count.value_or(static_cast<std::uint16_t>(plan.clips.size())));
  out->u16(0);  // SubPaths
  for (const ClipPlan& clip : plan.clips) {
    write_play_item(out, clip);
  }
  out->put_u32(start, static_cast<std::uint32_t>(out->bytes.size() - start - 4));
}

void write_scene(Writer* out, const ScenePlan& scene) {
  const std::size_t start = out->bytes.size();
  out->text(std::string("\x01\x08\x31\x00\x00\x00\x00\x00\xff\xff", 10));
  out->u8(scene.zone);
  out->u16(scene.year);
  for (std::uint8_t field : {scene.month, scene.day, scene.hour, scene.minute, scene.second}) {
    out->u8(field);
  }
  out->zeros_to(start + kSceneMarker);
  out->u8(scene.marker);
  out->zeros_to(start + kSceneEntrySize);
}

void write_plex_block(Writer* out, const PlaylistPlan& plan) {
  const std::size_t start = out->bytes.size();
  const auto count = static_cast<std::uint16_t>(plan.scenes.size());
  out->text(plan.plex_magic);
  out->u32(0);
  out->u32(plan.plex_block_length);
  out->zeros_to(start + kSceneTableSizeAt);
  out->u16(plan.scene_table_size.value_or(
      static_cast<std::uint16_t>(kSceneEntrySize * count + kSceneTableSizeExtra)));
  out->u16(plan.scene_count.value_or(count));
  for (const ScenePlan& scene : plan.scenes) {
    write_scene(out, scene);
  }
}

void write_extension_data(Writer* out, const PlaylistPlan& plan) {
  const std::size_t start = out->bytes.size();
  out->u32(0);  // length, filled in once the file is complete
  out->u32(plan.data_block_address.value_or(kExtensionHeaderSize));
  out->zeros_to(start + kExtensionEntryCountAt);
  out->u8(plan.extension_entry_count);
  out->u16(plan.id1);
  out->u16(plan.id2);
  out->u32(kExtensionHeaderSize);  // the entry's own start and length, unused
  out->u32(static_cast<std::uint32_t>(kFirstSceneAt + kSceneEntrySize * plan.scenes.size()));
  out->zeros_to(start + kExtensionHeaderSize);
  write_plex_block(out, plan);
  const std::uint32_t length = static_cast<std::uint32_t>(out->bytes.size() - start - 4);
  out->put_u32(start, plan.extension_length.value_or(length));
}

void write_marks(Writer* out, const PlaylistPlan& plan) {
  const std::size_t start = out->bytes.size();
  out->u32(0);  // length, filled in below
  out->u16(plan.mark_count.value_or(static_cast<std::uint16_t>(plan.marks.size())));
  for (const MarkPlan& mark : plan.marks) {
    out->u8(0);
    out->u8(mark.type);
    out->u16(mark.play_item);
    out->u32(kRecordingStart);  // time stamp, unused
    out->u16(0xFFFF);           // entry ES PID
    out->u32(0);                // duration
  }
  out->put_u32(start, static_cast<std::uint32_t>(out->bytes.size() - start - 4));
}

}  // namespace

ScenePlan scene_at(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                   unsigned second) {
  ScenePlan scene;
  scene.year = static_cast<std::uint16_t>(bcd(year / 100) << 8 | bcd(year % 100));
  scene.month = bcd(month);
  scene.day = bcd(day);
  scene.hour = bcd(hour);
  scene.minute = bcd(minute);
  scene.second = bcd(second);
  return scene;
}

ScenePlan undated_scene() {
  ScenePlan scene;
  scene.year = 0;
  return scene;
}

ClipPlan clip(std::string name, std::uint32_t milliseconds, std::uint32_t in_time) {
  return ClipPlan{std::move(name), in_time, in_time + ticks(milliseconds), std::nullopt};
}

PlaylistPlan playlist_of(std::vector<ClipPlan> clips, std::vector<ScenePlan> scenes) {
  PlaylistPlan plan;
  plan.clips = std::move(clips);
  plan.scenes = std::move(scenes);
  return plan;
}

PlaylistPlan recordings_of(const std::vector<std::vector<std::uint32_t>>& parts,
                           std::vector<ScenePlan> scenes) {
  PlaylistPlan plan;
  plan.scenes = std::move(scenes);
  for (const std::vector<std::uint32_t>& recording : parts) {
    plan.marks.push_back(MarkPlan{1, static_cast<std::uint16_t>(plan.clips.size())});
    std::uint32_t in_time = kRecordingStart;
    for (std::size_t part = 0; part < recording.size(); ++part) {
      char name[8];
      (void)std::snprintf(name, sizeof name, "%05zu", plan.clips.size() % 100000);
      ClipPlan next = clip(name, recording[part], in_time);
      next.connection = part == 0 ? 1 : 6;
      in_time = next.out_time;
      plan.clips.push_back(next);
    }
  }
  return plan;
}

std::vector<std::uint8_t> build_playlist(const PlaylistPlan& plan) {
  Writer out;
  std::string magic = plan.magic;
  magic.resize(kMagicSize, ' ');
  out.text(magic);
  out.zeros_to(kAppInfoEnd);  // P, the mark address and E are filled in below
  std::uint32_t playlist = 0;
  std::uint32_t marks = 0;
  const auto write_lists = [&] {
    playlist = static_cast<std::uint32_t>(out.bytes.size());
    write_playlist(&out, plan);
    marks = static_cast<std::uint32_t>(out.bytes.size());
    write_marks(&out, plan);
  };
  if (!plan.lists_after_scenes) {
    write_lists();
  }
  const auto extension = static_cast<std::uint32_t>(out.bytes.size());
  write_extension_data(&out, plan);
  if (plan.lists_after_scenes) {
    write_lists();
    out.put_u32(extension, plan.extension_length.value_or(
                               static_cast<std::uint32_t>(out.bytes.size() - extension - 4)));
  }
  out.bytes.insert(out.bytes.end(), plan.trailing.begin(), plan.trailing.end());
  out.put_u32(kPlayListAddressAt, plan.playlist_address.value_or(playlist));
  out.put_u32(kPlayListMarkAddressAt, plan.mark_address.value_or(marks));
  out.put_u32(kExtensionAddressAt, plan.extension_address.value_or(extension));
  return out.bytes;
}

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace zelvok::testing
