#include "subtitle/produce.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "messages/messages.h"
#include "model/recording_stamp.h"
#include "subtitle/camera_lines.h"
#include "subtitle/srt_entry.h"
#include "subtitle/srt_file.h"

namespace zelvok {
namespace {

// What stopped the walk: a message and the file it names; no message when
// nothing did.
struct OutputFault {
  const Message* message = nullptr;
  std::string name;
};

// Where the walk stands. The whole-playlist file and its timeline run on
// across PlayItems; the per-clip file is the one of the PlayItem being written.
struct Walk {
  const OutputPlan& plan;
  const Playlist& playlist;
  FileIdentity input;
  MemoryFiles* memory;  // where the files go instead of the disk, when not null
  bool with_whole;      // the whole-playlist file is written; a folder run has none
  SrtFile whole;
  EntryText whole_entry;  // the whole-playlist file's latest entry
  SrtFile clip;
  EntryText clip_entry;  // the per-clip file's latest entry
};

bool is_selected(const OutputPlan& plan, std::uint32_t number) {
  return !(plan.first != 0 && number < plan.first) && !(plan.last != 0 && number > plan.last);
}

// Starts a file of the form with its header.
void put_header(const OutputPlan& plan, SrtFile* file) {
  const std::string_view header = form_header(plan.form);
  char* out = srt_space(file, header.size());  // an empty buffer holds it
  srt_commit(file, std::copy(header.begin(), header.end(), out));
}

// Opens an output file, never on the input or on another output still open.
bool open_output(Walk* walk, const std::string& name, SrtFile* file) {
  const std::array<FileIdentity, 2> kept = {
      walk->input, file == &walk->clip ? walk->whole.identity : walk->input};
  const bool opened = walk->memory != nullptr ? open_memory_srt_file(name, kept, walk->memory, file)
                                              : open_srt_file(name, kept, file);
  if (opened) {
    put_header(walk->plan, file);
  }
  return opened;
}

// How far --shift and --zone move a stamp recorded in the `camera` zone: the
// two moves add.
std::int64_t move_seconds(const OutputPlan& plan, Zone camera) {
  const std::int64_t zone_minutes = plan.zone ? *plan.zone - camera : 0;
  return plan.shift.value_or(0) + zone_minutes * 60;
}

// A PlayItem's recording stamp as its subtitles show it, and the zone it is
// then in.
struct ShownStamp {
  RecordingStamp stamp;
  Zone zone;
};

// The stamp of a scene moved as asked, into `shown`, or what keeps it from
// being shown so: a move (--shift or --zone) takes only real dates, from a
// recorded zone, and never out of the years 0000-9999, as a damaged date
// moved would only become another wrong one; names and the 12-hour clock
// need a real date. Null when nothing does.
const Message* shown_stamp(const OutputPlan& plan, const SceneEntry& scene, ShownStamp* shown) {
  *shown = ShownStamp{decode_stamp(scene), decode_zone(scene.zone)};
  if (!plan.shift && !plan.zone) {
    const bool named = plan.format.needs_calendar && !is_calendar_stamp(shown->stamp);
    return named ? &messages::kFormatImpossible : nullptr;
  }
  if (!is_calendar_stamp(shown->stamp)) {
    return &messages::kShiftImpossible;
  }
  if (plan.zone && shown->zone == kNoZone) {
    return &messages::kZoneNotRecorded;
  }
  if (!shift_stamp(&shown->stamp, move_seconds(plan, shown->zone))) {
    return &messages::kShiftImpossible;
  }
  shown->zone = plan.zone.value_or(shown->zone);
  return nullptr;
}

const Message* first_refusal(const OutputPlan& plan, const Playlist& playlist) {
  ShownStamp shown{};
  for (const PlayItem& item : playlist.play_items) {
    if (const Message* refusal = shown_stamp(plan, playlist.scenes[item.scene], &shown);
        refusal != nullptr) {
      return refusal;
    }
  }
  return nullptr;
}

// The stamp of a PlayItem's first entry: its recording's, moved as asked and
// on by the whole seconds recorded before the clip began. Every move was
// checked before any file was opened.
ShownStamp first_stamp(const OutputPlan& plan, const Playlist& playlist, const PlayItem& item) {
  ShownStamp shown{};
  (void)shown_stamp(plan, playlist.scenes[item.scene], &shown);
  advance_stamp_by(&shown.stamp, item.elapsed_ms / 1000);
  return shown;
}

// Room for one more entry in both files.
OutputFault make_room(Walk* walk, char** whole_out, char** clip_out) {
  *whole_out = walk->with_whole ? srt_space(&walk->whole, kMaxEntrySize) : nullptr;
  if (walk->with_whole && *whole_out == nullptr) {
    return {&messages::kOutputWriteFailed, walk->whole.name};
  }
  *clip_out = srt_space(&walk->clip, kMaxEntrySize);
  if (*clip_out == nullptr) {
    return {&messages::kOutputWriteFailed, walk->clip.name};
  }
  return {};
}

// True when the date shows nothing at all in `style`, as a form of %z alone
// does where no zone was recorded.
bool shows_nothing(const DateStyle& style, const RecordingStamp& stamp) {
  std::array<char, kMaxDateText> text{};
  char* unused = nullptr;
  return put_date(text.data(), style, stamp, &unused) == text.data();
}

// Writes one cue to both files: from `start` to `end` milliseconds of the
// clip, showing `stamp`. A cue of no length, or with no text, is not written;
// the whole playlist's timeline runs on past it all the same.
OutputFault write_cue(Walk* walk, std::uint64_t start, std::uint64_t end, const DateStyle& style,
                      const RecordingStamp& stamp) {
  if (start == end) {
    return {};
  }
  if (shows_nothing(style, stamp)) {
    walk->whole_entry.end_ms += end - start;
    return {};
  }
  EntryText& whole = walk->whole_entry;
  EntryText& clip = walk->clip_entry;
  char* whole_out = nullptr;
  char* clip_out = nullptr;
  if (OutputFault fault = make_room(walk, &whole_out, &clip_out); fault.message != nullptr) {
    return fault;
  }
  if (walk->with_whole) {
    layout_entry(&whole, whole.number + 1, whole.end_ms, whole.end_ms + (end - start), style,
                 stamp);
    srt_commit(&walk->whole, put_entry(whole, whole_out));
  }
  const std::uint64_t from = walk->plan.clip_from_ms;
  layout_entry(&clip, clip.number + 1, from + start, from + end, style, stamp);
  srt_commit(&walk->clip, put_entry(clip, clip_out));
  return {};
}

// Writes a clip of `duration` milliseconds whose first cue lasts `first`
// (more than 0), one cue a second after it: cues end where the recording's
// seconds end, and the last holds the rest.
OutputFault write_second_cues(Walk* walk, std::uint64_t duration, std::uint64_t first,
                              const DateStyle& style, RecordingStamp stamp) {
  std::uint64_t at = std::min(first, duration);
  if (OutputFault fault = write_cue(walk, 0, at, style, stamp); fault.message != nullptr) {
    return fault;
  }
  while (at < duration) {
    const std::uint64_t length = std::min<std::uint64_t>(1000, duration - at);
    advance_stamp(&stamp);
    char* whole_out = nullptr;
    char* clip_out = nullptr;
    if (OutputFault fault = make_room(walk, &whole_out, &clip_out); fault.message != nullptr) {
      return fault;
    }
    if (walk->with_whole) {
      srt_commit(&walk->whole, put_next_entry(&walk->whole_entry, length, style, stamp, whole_out));
    }
    srt_commit(&walk->clip, put_next_entry(&walk->clip_entry, length, style, stamp, clip_out));
    at += length;
  }
  return {};
}

// Seconds from `stamp` on that show the same minute: a form without seconds
// can change its text only where the minute changes.
std::uint64_t seconds_in_minute(const RecordingStamp& stamp) {
  return stamp.second < 59 ? 60u - stamp.second : 1;
}

// The same clip in a form without seconds: seconds whose text agrees make one
// cue, so the text is made once a minute and a cue ends where it changes.
OutputFault write_merged_cues(Walk* walk, std::uint64_t duration, std::uint64_t first,
                              const DateStyle& style, RecordingStamp stamp) {
  std::array<char, kMaxDateText> shown{};
  std::array<char, kMaxDateText> next{};
  char* unused = nullptr;
  std::string_view shown_text(shown.data(), put_date(shown.data(), style, stamp, &unused));
  RecordingStamp cue_stamp = stamp;
  std::uint64_t cue_start = 0;
  std::uint64_t at = 0;
  std::uint64_t first_second = first;  // what the stamp's own second lasts: 1000 after the first
  while (at < duration) {
    const std::uint64_t seconds = seconds_in_minute(stamp);
    at = std::min(duration, at + first_second + (seconds - 1) * 1000);
    first_second = 1000;
    advance_stamp_by(&stamp, seconds);
    const std::string_view next_text(next.data(), put_date(next.data(), style, stamp, &unused));
    if (at < duration && next_text == shown_text) {
      continue;
    }
    if (OutputFault fault = write_cue(walk, cue_start, at, style, cue_stamp);
        fault.message != nullptr) {
      return fault;
    }
    std::swap(shown, next);
    shown_text = std::string_view(shown.data(), next_text.size());
    cue_stamp = stamp;
    cue_start = at;
  }
  return {};
}

// How long a clip's first cue lasts, `stamp` being what it shows. A first
// cue of no length is not written: the next second starts the clip.
std::uint64_t first_cue(const PlayItem& item, RecordingStamp* stamp) {
  if (item.first_cue_ms != 0) {
    return item.first_cue_ms;
  }
  advance_stamp(stamp);
  return 1000;
}

// Writes a PlayItem's cues, its first showing `shown`, into the clip's file
// that is open, and into the whole playlist's when it is written.
OutputFault write_clip_cues(Walk* walk, const PlayItem& item, const ShownStamp& shown) {
  walk->clip_entry.number = 0;  // each clip's file numbers its cues from 1
  const DateStyle style{walk->plan.format, shown.zone};
  RecordingStamp stamp = shown.stamp;
  const std::uint64_t first = first_cue(item, &stamp);
  // A form with seconds changes its text every second; one without, at most
  // once a minute.
  return walk->plan.format.seconds_shown > 0
             ? write_second_cues(walk, duration_ms(item), first, style, stamp)
             : write_merged_cues(walk, duration_ms(item), first, style, stamp);
}

// The lines under the date of a cue that starts `ms` into the clip's file.
std::string lines_under(const CueLines& lines, std::uint64_t ms) {
  const CameraState* state = state_at(lines.track, lines.offset_ms + static_cast<std::int64_t>(ms));
  std::string text;
  if (state == nullptr) {
    return text;
  }
  const auto add = [&text](const std::string& line) {
    if (!line.empty()) {
      text.append(text.empty() ? "" : "\r\n").append(line);
    }
  };
  if (lines.camera) {
    add(camera_line(state->settings));
  }
  if (lines.gps && state->fix) {
    add(gps_line(*state->fix));
  }
  return text;
}

// A cue being gathered: the seconds whose whole texts agree.
struct GatheredCue {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  RecordingStamp stamp{};
  bool date_shown = false;  // its date has a line to show
  std::string lines;        // under the date
  std::string key;          // its whole text, as merging compares it
};

// Writes a gathered cue: laid out as a date's, then the lines under it
// before the blank line that ends it. (Their characters need no escaping in
// WebVTT: figures, letters, '/', '"', '.', '-' and blanks.)
void put_gathered(Walk* walk, const DateStyle& style, const GatheredCue& cue) {
  if (!cue.date_shown && cue.lines.empty()) {
    return;  // a cue with no text is not written
  }
  EntryText& entry = walk->clip_entry;
  const std::uint64_t from = walk->plan.clip_from_ms;
  layout_entry(&entry, entry.number + 1, from + cue.start, from + cue.end, style, cue.stamp);
  std::string bytes(entry.bytes.data(), entry.size - 4);  // without its last line end and blank
  if (!cue.lines.empty()) {
    bytes.append(cue.date_shown ? "\r\n" : "").append(cue.lines);
  }
  bytes.append("\r\n\r\n");
  // In memory a file has room for a cue of any size, a buffer at a time.
  for (std::size_t at = 0; at < bytes.size(); at += kMaxEntrySize) {
    const std::size_t size = std::min(kMaxEntrySize, bytes.size() - at);
    char* out = srt_space(&walk->clip, size);
    srt_commit(&walk->clip, std::copy_n(bytes.data() + at, size, out));
  }
}

// A clip's cues with lines under each date: one a second, as the dates
// time them, the seconds whose whole texts agree merged into one cue.
void write_cues_with_lines(Walk* walk, const PlayItem& item, const ShownStamp& shown,
                           const CueLines& lines) {
  walk->clip_entry.number = 0;
  const DateStyle style{walk->plan.format, shown.zone};
  RecordingStamp stamp = shown.stamp;
  const std::uint64_t first = first_cue(item, &stamp);
  const std::uint64_t duration = duration_ms(item);
  GatheredCue cue;
  std::array<char, kMaxDateText> date{};
  char* unused = nullptr;
  for (std::uint64_t at = 0, next = std::min(first, duration); at < duration;
       at = next, next = at + std::min<std::uint64_t>(1000, duration - at)) {
    if (at > 0) {
      advance_stamp(&stamp);
    }
    const std::string_view shown_date(date.data(), put_date(date.data(), style, stamp, &unused));
    std::string under = lines_under(lines, at);
    std::string key = std::string(shown_date).append("\n").append(under);
    if (at > 0 && key == cue.key) {
      cue.end = next;
      continue;
    }
    if (at > 0) {
      put_gathered(walk, style, cue);
    }
    cue = GatheredCue{at, next, stamp, !shown_date.empty(), std::move(under), std::move(key)};
  }
  if (duration > 0) {
    put_gathered(walk, style, cue);
  }
}

OutputFault write_play_item(Walk* walk, const PlayItem& item, const Console& console) {
  print(console, messages::kStreamName, item.stream_file);
  const std::string subtitle_name = item.clip_name + std::string(form_extension(walk->plan.form));
  print(console, messages::kSubtitleName, subtitle_name);
  if (!open_output(walk, subtitle_name, &walk->clip)) {
    return {&messages::kOutputOpenFailed, subtitle_name};
  }
  const ShownStamp shown = first_stamp(walk->plan, walk->playlist, item);
  print(console, messages::kRecordingDate, format_stamp(shown.stamp));
  if (OutputFault fault = write_clip_cues(walk, item, shown); fault.message != nullptr) {
    return fault;
  }
  if (!finish_srt_file(&walk->clip)) {
    return {&messages::kOutputWriteFailed, subtitle_name};
  }
  return {};
}

OutputFault walk_play_items(Walk* walk, const Console& console) {
  if (const Message* refusal = first_refusal(walk->plan, walk->playlist); refusal != nullptr) {
    return {refusal, {}};
  }
  if (!open_output(walk, walk->plan.whole_name, &walk->whole)) {
    return {&messages::kOutputOpenFailed, walk->plan.whole_name};
  }
  std::uint32_t number = 0;
  for (const PlayItem& item : walk->playlist.play_items) {
    if (!is_selected(walk->plan, ++number)) {
      continue;
    }
    if (OutputFault fault = write_play_item(walk, item, console); fault.message != nullptr) {
      return fault;
    }
  }
  if (!finish_srt_file(&walk->whole)) {
    return {&messages::kOutputWriteFailed, walk->plan.whole_name};
  }
  return {};
}

bool produce(const OutputPlan& plan, const Playlist& playlist, const FileIdentity& input,
             MemoryFiles* memory, const Console& console) {
  Walk walk{plan, playlist, input, memory, true, {}, {}, {}, {}};
  walk.whole_entry.form = plan.form;
  walk.clip_entry.form = plan.form;
  const OutputFault fault = walk_play_items(&walk, console);
  if (fault.message == nullptr) {
    return true;
  }
  print(console, *fault.message, fault.name);
  return false;
}

}  // namespace

const Message* clip_date_refusal(const OutputPlan& plan, const Playlist& playlist,
                                 const PlayItem& item) {
  ShownStamp shown{};
  return shown_stamp(plan, playlist.scenes[item.scene], &shown);
}

std::string clip_first_date(const OutputPlan& plan, const Playlist& playlist,
                            const PlayItem& item) {
  return format_stamp(first_stamp(plan, playlist, item).stamp);
}

RecordedAt clip_recorded_at(const OutputPlan& plan, const Playlist& playlist,
                            const PlayItem& item) {
  OutputPlan shifted = plan;
  shifted.zone.reset();
  const ShownStamp shown = first_stamp(shifted, playlist, item);
  return {shown.stamp, shown.zone};
}

std::uint64_t render_clip_file(const OutputPlan& plan, const Playlist& playlist,
                               const PlayItem& item, std::string* text, const CueLines* lines) {
  Walk walk{plan, playlist, FileIdentity{0, 0}, nullptr, false, {}, {}, {}, {}};
  walk.clip_entry.form = plan.form;
  text->clear();
  start_srt_file(-1, {}, &walk.clip);
  walk.clip.memory = text;
  put_header(plan, &walk.clip);
  // In memory nothing can fail.
  if (lines != nullptr) {
    write_cues_with_lines(&walk, item, first_stamp(plan, playlist, item), *lines);
  } else {
    (void)write_clip_cues(&walk, item, first_stamp(plan, playlist, item));
  }
  (void)finish_srt_file(&walk.clip);
  return walk.clip_entry.number;
}

bool produce_subtitles(const OutputPlan& plan, const Playlist& playlist, const FileIdentity& input,
                       const Console& console) {
  return produce(plan, playlist, input, nullptr, console);
}

bool produce_subtitles_in_memory(const OutputPlan& plan, const Playlist& playlist,
                                 const Console& console, MemoryFiles* files) {
  return produce(plan, playlist, FileIdentity{0, 0}, files, console);
}

}  // namespace zelvok
