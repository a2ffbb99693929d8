// The playlist as the output stage sees it: plain records read out of a
// validated file.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace zelvok {

// The whole input file, read into memory once.
struct PlaylistImage {
  std::unique_ptr<std::uint8_t[]> bytes;  // exactly `size` bytes
  std::size_t size = 0;
  FileIdentity identity{0, 0};  // the file it came from, which no output may replace
};

// One clip of the playlist, and what dates it.
struct PlayItem {
  std::array<char, 5> clip_name;  // ASCII letters and digits only, such as "00000"
  std::uint8_t connection;        // connection condition: 6 when it continues a recording
  std::uint32_t in_time;          // start of the clip's used part, 45 kHz ticks
  std::uint32_t out_time;         // end of the clip's used part, 45 kHz ticks
  std::size_t scene;              // index of the dated scene entry of its recording
  std::uint64_t elapsed_ms;       // how far into that recording the clip starts
};

// A zone byte whose hours say the camera recorded no time zone.
inline constexpr std::uint8_t kZoneNotRecorded = 0x1E;

// The fields of a 66-byte scene record that the program uses, as stored.
struct SceneEntry {
  std::uint16_t year;  // four BCD digits; zero for an undated entry
  std::uint8_t month;  // two BCD digits each, not checked
  std::uint8_t day;
  std::uint8_t hour;
  std::uint8_t minute;
  std::uint8_t second;
  std::uint8_t zone = kZoneNotRecorded;  // the camera's time zone, coded as it stores it
};

using SceneTable = std::vector<SceneEntry>;

struct Playlist {
  std::vector<PlayItem> play_items;  // in playlist order
  SceneTable scenes;                 // in table order, dated and undated
};

inline std::string_view clip_name(const PlayItem& item) {
  return {item.clip_name.data(), item.clip_name.size()};
}

inline bool is_dated(const SceneEntry& entry) {
  return entry.year != 0;
}

// The clip's length in milliseconds: 45 kHz clocks wrap, so OUT before IN
// counts modulo 2^32, and the remainder of the division is dropped.
std::uint32_t duration_ms(const PlayItem& item);

}  // namespace zelvok
