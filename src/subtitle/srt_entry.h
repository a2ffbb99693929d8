// One subtitle entry as bytes, in either form a file may take, each line
// ended with CR LF: SubRip's number, timing line, text and empty line, or
// WebVTT's timing line, text and empty line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/recording_stamp.h"
#include "subtitle/date_format.h"
#include "subtitle/digits.h"
#include "subtitle/subtitle_clock.h"

namespace zelvok {

enum class SubtitleForm {
  kSubRip,  // .srt: numbered cues, a ',' before the milliseconds
  kWebVtt,  // .vtt: a "WEBVTT" header, no numbers, a '.' before the milliseconds
};

// What a file of the form begins with, and its names' ending.
std::string_view form_header(SubtitleForm form);
std::string_view form_extension(SubtitleForm form);

// "HH:MM:SS,mmm" with an hour of up to ten digits.
inline constexpr std::size_t kMaxTimecodeText = 10 + 1 + 2 + 1 + 2 + 1 + 3;

// The longest text of a WebVTT cue: every byte of a form an "&", written
// "&amp;".
inline constexpr std::size_t kMaxCueText = kMaxFormatSize * 5;

// The most bytes an entry takes.
inline constexpr std::size_t kMaxEntrySize =
    (kMaxDecimalDigits + 2) + (2 * kMaxTimecodeText + 5 + 2) +
    ((kMaxCueText > kMaxDateText ? kMaxCueText : kMaxDateText) + 4);

// One file's latest entry as text. Consecutive entries of a clip differ in a
// few digits only, so the next is made by moving those digits in place, as an
// odometer does, and the text is laid out afresh only when more must change.
struct EntryText {
  SubtitleForm form;  // set before the first layout
  std::array<char, kMaxEntrySize> bytes;
  std::size_t size;             // bytes of the entry
  std::size_t number_digits;    // the number is bytes[0, number_digits); none in WebVTT
  std::size_t start_second_at;  // where "SS,mmm" of the start timecode begins
  std::size_t end_second_at;    // where "SS" of the end timecode begins
  std::size_t stamp_second_at;  // where the digits of the date's one %S begin
  std::uint64_t number;         // of the latest entry
  std::uint64_t end_ms;         // where the latest entry ends on the file's timeline
  std::uint8_t end_second;      // the second of that end timecode
  // Whole-second steps left before more than seconds digits and the number's
  // last two digits would change; none when the date shows no single %S.
  std::uint64_t quick_steps;
};

// Lays out an entry from its values.
void layout_entry(EntryText* entry, std::uint64_t number, std::uint64_t start_ms,
                  std::uint64_t end_ms, const DateStyle& style, const RecordingStamp& stamp);

// Writes the entry at `out`, which has room for kMaxEntrySize bytes, and
// returns the position after it.
inline char* put_entry(const EntryText& entry, char* out) {
  // A fixed size copies fastest, and nearly every entry of the usual forms
  // fits it: the room holds it. Only the entry's own bytes count.
  constexpr std::size_t kUsualRoom = 64;
  if (entry.size <= kUsualRoom) {
    std::memcpy(out, entry.bytes.data(), kUsualRoom);
  } else {
    std::memcpy(out, entry.bytes.data(), entry.size);
  }
  return out + entry.size;
}

// put_next_entry when more than the seconds and the number's last digits
// change: the entry is laid out afresh.
char* put_laid_out_next_entry(EntryText* entry, std::uint64_t length, const DateStyle& style,
                              const RecordingStamp& stamp, char* out);

// Moves on to the next entry of the same clip and writes it at `out` (room
// for kMaxEntrySize bytes): the next number, starting where the last entry
// ended and `length` milliseconds long, showing `stamp` in `style`, where
// `stamp` is the last entry's stamp advanced by one second. Returns the
// position after it.
inline char* put_next_entry(EntryText* entry, std::uint64_t length, const DateStyle& style,
                            const RecordingStamp& stamp, char* out) {
  // The usual step: a whole second that turns over neither a minute nor more
  // than the number's last two digits, and a stamp whose seconds did not
  // carry. Then the laid-out text goes out with only those digits put in: it
  // is never written to between layouts, so copying it never waits on a
  // write just made.
  if (length != 1000 || entry->quick_steps == 0 || stamp.second == 0) {
    return put_laid_out_next_entry(entry, length, style, stamp, out);
  }
  --entry->quick_steps;
  ++entry->number;
  const char* const laid_out = entry->bytes.data();
  put_entry(*entry, out);
  if (entry->number_digits == 1) {
    out[0] = static_cast<char>('0' + entry->number);
  } else if (entry->number_digits > 1) {
    put_two_digits(out + entry->number_digits - 2, entry->number % 100);
  }
  // The start is the last end: its second, then the milliseconds all these
  // entries share.
  put_two_digits(out + entry->start_second_at, entry->end_second);
  std::memcpy(out + entry->start_second_at + 2, laid_out + entry->end_second_at + 2, 4);
  put_two_digits(out + entry->end_second_at, ++entry->end_second);
  put_two_digits(out + entry->stamp_second_at, stamp.second);
  entry->end_ms += length;
  return out + entry->size;
}

}  // namespace zelvok
