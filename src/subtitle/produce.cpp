#include "subtitle/produce.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "messages/messages.h"
#include "subtitle/recording_stamp.h"
#include "subtitle/srt_entry.h"
#include "subtitle/srt_file.h"

namespace zelvok {
namespace {

// What stopped the walk: a message and the file it names; no message when
// nothing did.
struct OutputFault {
  std::string_view message;
  std::string name;
};

// Where the walk stands. The whole-playlist file and its timeline run on
// across PlayItems; the per-clip file is the one of the PlayItem being written.
struct Walk {
  const OutputPlan& plan;
  const Playlist& playlist;
  FileIdentity input;
  MemoryFiles* memory;  // where the files go instead of the disk, when not null
  SrtFile whole;
  EntryText whole_entry;  // the whole-playlist file's latest entry
  SrtFile clip;
  EntryText clip_entry;  // the per-clip file's latest entry
};

bool is_selected(const OutputPlan& plan, std::uint32_t number) {
  return !(plan.first != 0 && number < plan.first) && !(plan.last != 0 && number > plan.last);
}

// Opens an output file, never on the input or on another output still open.
bool open_output(Walk* walk, const std::string& name, SrtFile* file) {
  if (walk->memory != nullptr) {
    if (file == &walk->clip && name == walk->whole.name) {
      return false;
    }
    open_memory_srt_file(name, &(*walk->memory)[name], file);
    return true;
  }
  const std::array<FileIdentity, 2> kept = {
      walk->input, file == &walk->clip ? walk->whole.identity : walk->input};
  return open_srt_file(name, kept, file);
}

// The stamp of a PlayItem's recording, moved by the shift. A shift moves
// only dates that are real, and never out of the years 0000-9999: false when
// it cannot, as a damaged date moved would only become another wrong one.
bool recorded_stamp(const OutputPlan& plan, const Playlist& playlist, const PlayItem& item,
                    RecordingStamp* stamp) {
  *stamp = decode_stamp(playlist.scenes[item.scene]);
  return !plan.shift || shift_stamp(stamp, *plan.shift);
}

bool can_shift_every_stamp(const OutputPlan& plan, const Playlist& playlist) {
  RecordingStamp stamp{};
  return std::all_of(
      playlist.play_items.begin(), playlist.play_items.end(),
      [&](const PlayItem& item) { return recorded_stamp(plan, playlist, item, &stamp); });
}

// The stamp of a PlayItem's first entry: its recording's, on by the whole
// seconds recorded before the clip began. Every shift was checked before
// any file was opened.
RecordingStamp first_stamp(const Walk& walk, const PlayItem& item) {
  RecordingStamp stamp{};
  (void)recorded_stamp(walk.plan, walk.playlist, item, &stamp);
  advance_stamp_by(&stamp, item.elapsed_ms / 1000);
  return stamp;
}

// Writes a clip of `duration` milliseconds that starts `elapsed` milliseconds
// into its recording. Entries end where the recording's seconds end, so the
// first runs only to the next whole second and the last holds the rest.
OutputFault write_clip_entries(Walk* walk, std::uint64_t duration, std::uint64_t elapsed,
                               RecordingStamp stamp) {
  EntryText& whole = walk->whole_entry;
  EntryText& clip = walk->clip_entry;
  std::uint64_t length = std::min(1000 - elapsed % 1000, duration);
  for (std::uint64_t left = duration; left > 0; left -= length) {
    char* whole_out = srt_space(&walk->whole, kMaxEntrySize);
    if (whole_out == nullptr) {
      return {messages::kOutputWriteFailed, walk->whole.name};
    }
    char* clip_out = srt_space(&walk->clip, kMaxEntrySize);
    if (clip_out == nullptr) {
      return {messages::kOutputWriteFailed, walk->clip.name};
    }
    if (left == duration) {
      layout_entry(&whole, whole.number + 1, whole.end_ms, whole.end_ms + length, stamp);
      layout_entry(&clip, 1, 0, length, stamp);
      srt_commit(&walk->whole, put_entry(whole, whole_out));
      srt_commit(&walk->clip, put_entry(clip, clip_out));
    } else {
      length = std::min<std::uint64_t>(1000, left);
      advance_stamp(&stamp);
      srt_commit(&walk->whole, put_next_entry(&whole, length, stamp, whole_out));
      srt_commit(&walk->clip, put_next_entry(&clip, length, stamp, clip_out));
    }
  }
  return {};
}

OutputFault write_play_item(Walk* walk, const PlayItem& item, const Console& console) {
  const std::string clip(clip_name(item));
  print(console, messages::kStreamName, clip + ".m2ts");
  const std::string subtitle_name = clip + ".srt";
  print(console, messages::kSubtitleName, subtitle_name);
  if (!open_output(walk, subtitle_name, &walk->clip)) {
    return {messages::kOutputOpenFailed, subtitle_name};
  }
  const RecordingStamp stamp = first_stamp(*walk, item);
  print(console, messages::kRecordingDate, format_stamp(stamp));
  if (OutputFault fault = write_clip_entries(walk, duration_ms(item), item.elapsed_ms, stamp);
      !fault.message.empty()) {
    return fault;
  }
  if (!finish_srt_file(&walk->clip)) {
    return {messages::kOutputWriteFailed, subtitle_name};
  }
  return {};
}

OutputFault walk_play_items(Walk* walk, const Console& console) {
  if (!can_shift_every_stamp(walk->plan, walk->playlist)) {
    return {messages::kShiftImpossible, {}};
  }
  if (!open_output(walk, walk->plan.whole_name, &walk->whole)) {
    return {messages::kOutputOpenFailed, walk->plan.whole_name};
  }
  std::uint32_t number = 0;
  for (const PlayItem& item : walk->playlist.play_items) {
    if (!is_selected(walk->plan, ++number)) {
      continue;
    }
    if (OutputFault fault = write_play_item(walk, item, console); !fault.message.empty()) {
      return fault;
    }
  }
  if (!finish_srt_file(&walk->whole)) {
    return {messages::kOutputWriteFailed, walk->plan.whole_name};
  }
  return {};
}

bool produce(const OutputPlan& plan, const Playlist& playlist, const FileIdentity& input,
             MemoryFiles* memory, const Console& console) {
  Walk walk{plan, playlist, input, memory, {}, {}, {}, {}};
  const OutputFault fault = walk_play_items(&walk, console);
  if (fault.message.empty()) {
    return true;
  }
  print(console, fault.message, fault.name);
  return false;
}

}  // namespace

bool produce_subtitles(const OutputPlan& plan, const Playlist& playlist, const FileIdentity& input,
                       const Console& console) {
  return produce(plan, playlist, input, nullptr, console);
}

bool produce_subtitles_in_memory(const OutputPlan& plan, const Playlist& playlist,
                                 const Console& console, MemoryFiles* files) {
  return produce(plan, playlist, FileIdentity{0, 0}, files, console);
}

}  // namespace zelvok
