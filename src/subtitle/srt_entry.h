// One SubRip entry as bytes: number, timing line, text, empty line, each line
// ended with CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "subtitle/digits.h"
#include "subtitle/recording_stamp.h"
#include "subtitle/subtitle_clock.h"

namespace zelvok {

// "HH:MM:SS,mmm" with an hour of up to ten digits.
inline constexpr std::size_t kMaxTimecodeText = 10 + 1 + 2 + 1 + 2 + 1 + 3;

// The most bytes put_entry writes.
inline constexpr std::size_t kMaxEntrySize =
    (kMaxDecimalDigits + 2) + (2 * kMaxTimecodeText + 5 + 2) + (kMaxStampText + 4);

// Writes the entry at `out`, which has room for kMaxEntrySize bytes, and
// returns the position after it.
char* put_entry(char* out, std::uint64_t number, const Timecode& start, const Timecode& end,
                std::string_view text);

}  // namespace zelvok
