#include "subtitle/produce.h"

#include <array>
#include <string>

#include "messages/messages.h"
#include "playlist/layout.h"
#include "subtitle/recording_stamp.h"
#include "subtitle/srt_entry.h"
#include "subtitle/srt_file.h"
#include "subtitle/subtitle_clock.h"

namespace zelvok {
namespace {

// Where the walk stands: the whole-playlist file and its timeline run on
// across PlayItems; the scene index only ever moves forward.
struct Walk {
  const Playlist& playlist;
  const Console& console;
  FileIdentity input;
  SrtFile whole;
  SubtitleClock whole_clock = kFirstEntryClock;
  std::uint64_t whole_number = 1;
  std::size_t scene = 0;
  SrtFile clip;  // the per-clip file of the PlayItem being written
};

bool is_selected(const RunOptions& options, std::uint32_t number) {
  const auto first = static_cast<std::uint32_t>(options.first_play_item);
  const auto last = static_cast<std::uint32_t>(options.last_play_item);
  return !(first != 0 && number < first) && !(last != 0 && number > last);
}

// A skipped PlayItem uses up the scene entries up to and including the next
// one that carries the end marker.
void skip_play_item(Walk* walk) {
  const SceneTable& scenes = walk->playlist.scenes;
  while (walk->scene < scenes.size()) {
    if (scenes[walk->scene++].marker == layout::kSkipEndMarker) {
      return;
    }
  }
}

// Prints the write failure of `failed`, closes both files, and fails the walk.
bool fail_write(Walk* walk, SrtFile* failed) {
  print(walk->console, messages::kOutputWriteFailed, failed->name);
  close_srt_file(&walk->clip);
  close_srt_file(&walk->whole);
  return false;
}

// The stamp's text, written into `buffer`.
std::string_view stamp_text(char (&buffer)[kMaxStampText], const RecordingStamp& stamp) {
  return {buffer, static_cast<std::size_t>(put_stamp(buffer, stamp) - buffer)};
}

// Appends one entry to each file, the whole-playlist entry ending at
// `whole_end`. Returns the file whose write failed, or nullptr.
SrtFile* write_entry(Walk* walk, const Timecode& whole_end, const SubtitleClock& clip_clock,
                     std::uint64_t clip_number, std::string_view text) {
  char* whole_out = srt_space(&walk->whole, kMaxEntrySize);
  if (whole_out == nullptr) {
    return &walk->whole;
  }
  char* clip_out = srt_space(&walk->clip, kMaxEntrySize);
  if (clip_out == nullptr) {
    return &walk->clip;
  }
  srt_commit(&walk->whole,
             put_entry(whole_out, walk->whole_number++, walk->whole_clock.start, whole_end, text));
  srt_commit(&walk->clip, put_entry(clip_out, clip_number, clip_clock.start, clip_clock.end, text));
  return nullptr;
}

// Writes a clip of `duration` milliseconds from `stamp` on: one entry per full
// second, then one for the rest. The whole-playlist timeline carries the
// rest's milliseconds into every later entry. Returns the file whose write
// failed, or nullptr.
SrtFile* write_clip_entries(Walk* walk, std::uint32_t duration, RecordingStamp stamp) {
  SubtitleClock clip_clock = kFirstEntryClock;
  std::uint64_t clip_number = 1;
  char text[kMaxStampText];
  for (std::uint32_t second = 0; second < duration / 1000; ++second) {
    if (SrtFile* failed = write_entry(walk, walk->whole_clock.end, clip_clock, clip_number++,
                                      stamp_text(text, stamp))) {
      return failed;
    }
    advance_clock(&walk->whole_clock);
    advance_clock(&clip_clock);
    advance_stamp(&stamp);
  }
  const std::uint32_t rest = duration % 1000;
  if (rest == 0) {
    return nullptr;
  }
  const Timecode whole_end = add_milliseconds(walk->whole_clock.start, rest);
  clip_clock.end = clip_clock.start;
  clip_clock.end.millisecond = static_cast<std::uint16_t>(rest);
  if (SrtFile* failed =
          write_entry(walk, whole_end, clip_clock, clip_number, stamp_text(text, stamp))) {
    return failed;
  }
  walk->whole_clock.start = whole_end;
  walk->whole_clock.end = whole_end;
  advance_second(&walk->whole_clock.end);
  return nullptr;
}

bool write_play_item(Walk* walk, const PlayItem& item) {
  const std::string clip(clip_name(item));
  print(walk->console, messages::kStreamName, clip + ".m2ts");
  const std::string subtitle_name = clip + ".srt";
  print(walk->console, messages::kSubtitleName, subtitle_name);
  const std::array<FileIdentity, 2> kept = {walk->input, walk->whole.identity};
  if (!open_srt_file(subtitle_name, kept, &walk->clip)) {
    print(walk->console, messages::kOutputOpenFailed, subtitle_name);
    close_srt_file(&walk->whole);
    return false;
  }
  const SceneTable& scenes = walk->playlist.scenes;
  while (walk->scene < scenes.size() && !is_dated(scenes[walk->scene])) {
    ++walk->scene;
  }
  if (walk->scene < scenes.size()) {
    const RecordingStamp stamp = decode_stamp(scenes[walk->scene]);
    print(walk->console, messages::kRecordingDate, format_stamp(stamp));
    if (SrtFile* failed = write_clip_entries(walk, duration_ms(item), stamp)) {
      return fail_write(walk, failed);
    }
    ++walk->scene;
  }
  if (!close_srt_file(&walk->clip)) {
    return fail_write(walk, &walk->clip);
  }
  return true;
}

}  // namespace

bool produce_subtitles(const RunOptions& options, const Playlist& playlist,
                       const FileIdentity& input, const Console& console) {
  Walk walk{playlist, console, input, {}, kFirstEntryClock, 1, 0, {}};
  if (!open_srt_file(options.output_name, std::span(&input, 1), &walk.whole)) {
    print(console, messages::kOutputOpenFailed, options.output_name);
    return false;
  }
  std::uint32_t number = 0;
  for (const PlayItem& item : playlist.play_items) {
    if (!is_selected(options, ++number)) {
      skip_play_item(&walk);
    } else if (!write_play_item(&walk, item)) {
      return false;
    }
  }
  if (!close_srt_file(&walk.whole)) {
    print(console, messages::kOutputWriteFailed, options.output_name);
    return false;
  }
  return true;
}

}  // namespace zelvok
