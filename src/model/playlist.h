// The clips a run dates, as both readers hand them to the writers: plain
// records read out of a validated playlist, or out of a clip's own stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/zone.h"

namespace zelvok {

// One clip of the playlist, and what dates it.
struct PlayItem {
  std::string clip_name;         // its subtitle file's name before ".srt", such as "00000"
  std::string stream_file;       // its stream file, as the console names it: "00000.m2ts"
  std::uint8_t connection = 0;   // connection condition: 6 when it continues a recording
  std::uint32_t in_time = 0;     // start of the clip's used part, 45 kHz ticks
  std::uint32_t out_time = 0;    // end of the clip's used part, 45 kHz ticks
  std::size_t scene = 0;         // index of the dated scene entry of its recording
  std::uint64_t elapsed_ms = 0;  // how far into that recording the clip starts
  // How long its first cue lasts: up to the end of the recording's second in
  // which the clip starts, or, for a clip read from its own stream, up to the
  // frame where the camera's clock ticked.
  std::uint64_t first_cue_ms = 1000;
  // For a clip read from its stream: the PTS (90 kHz) of its first frame
  // shown, where its subtitles start, as a reader of the stream counts it.
  std::uint64_t first_shown_pts = 0;
};

// PlayItem IN and OUT times count a 45 kHz clock.
inline constexpr std::uint32_t kTicksPerMillisecond = 45;

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

inline bool is_dated(const SceneEntry& entry) {
  return entry.year != 0;
}

// The clip's length in milliseconds: 45 kHz clocks wrap, so OUT before IN
// counts modulo 2^32, and the remainder of the division is dropped.
std::uint32_t duration_ms(const PlayItem& item);

}  // namespace zelvok
