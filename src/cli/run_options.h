// What the user asked for on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "subtitle/date_format.h"

namespace zelvok {

inline constexpr const char* kDefaultOutputName = "playlist.srt";

struct RunOptions {
  std::string input_name;                        // the playlist; empty when none was given
  std::string output_name = kDefaultOutputName;  // the whole-playlist subtitle file
  std::int32_t first_play_item = 0;  // -s: 1-based number of the first PlayItem; 0 if not given
  std::int32_t last_play_item = 0;   // -e: 1-based number of the last PlayItem; 0 if not given
  std::optional<std::int64_t> shift_seconds;  // --shift: how far every recording stamp moves
  DateFormat format = fixed_date_format();    // --format: how the subtitles show a date
  std::optional<Zone> zone;                   // --zone: the zone every date is shown in
};

}  // namespace zelvok
