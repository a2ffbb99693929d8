// Playlist files made field by field, for tests, the sample and the benchmark.
// Every field the program looks at can be set to any value, sound or not.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelvok::testing {

// 45 kHz ticks of a clip of the given length.
inline constexpr std::uint32_t ticks(std::uint32_t milliseconds) {
  return milliseconds * 45;
}

struct ClipPlan {
  std::string name = "00000";  // written as is: five bytes make a sound name
  std::uint32_t in_time = 0;   // 45 kHz ticks
  std::uint32_t out_time = ticks(1000);
  std::optional<std::uint16_t> length;  // the record length field; default: the record's
  std::uint8_t connection = 1;          // 1 or 5 begin a recording; 6 continues one
};

// One PlayListMark.
struct MarkPlan {
  std::uint8_t type = 1;        // 1: an entry mark, where a recording begins
  std::uint16_t play_item = 0;  // the index of the PlayItem it marks
};

struct ScenePlan {
  std::uint8_t zone = 0x46;     // byte 10, the camera's time zone: +03:00 with summer time
  std::uint16_t year = 0x2008;  // BCD digits; 0 makes the entry undated
  std::uint8_t month = 0x01;    // BCD digits, as the camcorder writes them
  std::uint8_t day = 0x01;
  std::uint8_t hour = 0x00;
  std::uint8_t minute = 0x00;
  std::uint8_t second = 0x00;
  std::uint8_t marker = 0xFF;  // byte 44, which cameras fill in their own ways
};

struct PlaylistPlan {
  std::string magic = "MPLS0100";  // written as is
  std::vector<ClipPlan> clips;
  std::vector<ScenePlan> scenes;
  std::vector<MarkPlan> marks;                      // the PlayListMark; none by default
  std::optional<std::uint16_t> mark_count;          // default: marks.size()
  std::optional<std::uint16_t> play_item_count;     // default: clips.size()
  std::optional<std::uint32_t> playlist_address;    // P; default: where the PlayList is
  std::optional<std::uint32_t> mark_address;        // M; default: where the PlayListMark is
  std::optional<std::uint32_t> extension_address;   // E; default: where the extension data is
  std::optional<std::uint32_t> extension_length;    // default: up to the end of the file
  std::optional<std::uint32_t> data_block_address;  // X - E; default: where "PLEX" is
  std::uint8_t extension_entry_count = 1;
  std::uint16_t id1 = 0x1000;
  std::uint16_t id2 = 0x0100;
  std::string plex_magic = "PLEX";  // written as is, four bytes
  std::uint32_t plex_block_length = 0x144;
  std::optional<std::uint16_t> scene_table_size;  // S; default: 66 n + 2
  std::optional<std::uint16_t> scene_count;       // n; default: scenes.size()
  std::vector<std::uint8_t> trailing;             // bytes after the extension data
  // The PlayList and PlayListMark written after the scene table, inside the
  // extension data's length (where real camcorders leave bytes of their own),
  // instead of before the extension data.
  bool lists_after_scenes = false;
};

// A dated scene from decimal fields, stored as BCD as a camcorder does.
ScenePlan scene_at(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                   unsigned second);

// An undated scene entry.
ScenePlan undated_scene();

// A clip of `milliseconds` starting at IN time `in_time`.
ClipPlan clip(std::string name, std::uint32_t milliseconds, std::uint32_t in_time = 0);

// A playlist of the given clips, each with the given dated scene.
PlaylistPlan playlist_of(std::vector<ClipPlan> clips, std::vector<ScenePlan> scenes);

// Recordings split into parts as a camcorder writes them: recording r has the
// parts of `parts[r]` (milliseconds each) and the dated scene `scenes[r]`.
// Clips are named 00000, 00001, ...; a later part continues where the one
// before ended (connection condition 6), and each recording's scene has an
// entry mark naming its first part.
PlaylistPlan recordings_of(const std::vector<std::vector<std::uint32_t>>& parts,
                           std::vector<ScenePlan> scenes);

std::vector<std::uint8_t> build_playlist(const PlaylistPlan& plan);

void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace zelvok::testing
