// The output stage: the walk over the PlayItems that writes the subtitles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "messages/console.h"
#include "model/camera_track.h"
#include "model/playlist.h"
#include "subtitle/date_format.h"
#include "subtitle/srt_entry.h"
#include "subtitle/srt_file.h"

namespace zelvok {

inline constexpr const char* kDefaultOutputName = "playlist.srt";
inline constexpr const char* kDefaultWebVttName = "playlist.vtt";

// What to write. The PlayItem numbers are kept as the unsigned numbers they
// compare as: a negative -s selects nothing and a negative -e ends nothing.
struct OutputPlan {
  std::string whole_name = kDefaultOutputName;  // the whole-playlist subtitle file
  std::uint32_t first = 0;  // -s: number of the first PlayItem written, from 1; 0: the first
  std::uint32_t last = 0;   // -e: number of the last PlayItem written; 0: the last
  std::optional<std::int64_t> shift;          // seconds every recording stamp is moved by
  DateFormat format = fixed_date_format();    // how the subtitles show a date
  std::optional<Zone> zone;                   // the zone every stamp is moved into
  SubtitleForm form = SubtitleForm::kSubRip;  // --vtt: WebVTT files instead of SubRip
  // Where a clip's own file starts its cues: 0, or where the clip's first
  // frame shown stands on its clock, for the copy of the cues drawn into
  // the picture.
  std::uint64_t clip_from_ms = 0;
};

// Writes the whole-playlist file and one file per selected PlayItem, printing
// each selected clip's names and recording date. On failure prints the one
// message that says what went wrong and returns false; every file opened is
// closed, and files written up to then stay as far as they got. `input` is
// the playlist file, which is never written.
bool produce_subtitles(const OutputPlan& plan, const Playlist& playlist, const FileIdentity& input,
                       const Console& console);

// One clip of a folder run, PlayItem `item` of `playlist`, written as the
// playlist's own run writes its file, but alone: the message of the date
// checks (--shift, --zone, --format) it fails, or null.
const Message* clip_date_refusal(const OutputPlan& plan, const Playlist& playlist,
                                 const PlayItem& item);

// The date of the clip's first second, in the fixed form, as the console
// shows it. Only for a clip that passed the date checks.
std::string clip_first_date(const OutputPlan& plan, const Playlist& playlist, const PlayItem& item);

// The date of the clip's first second as the camera recorded it, moved by
// --shift but not --zone, and the zone it was recorded in (kNoZone when the
// camera recorded none). Only for a clip that passed the date checks.
RecordedAt clip_recorded_at(const OutputPlan& plan, const Playlist& playlist, const PlayItem& item);

// The lines a clip's cues show under the date: the camera's settings and its
// position at the frame shown at each cue's start, from the clip's track.
struct CueLines {
  const CameraTrack& track;
  std::int64_t offset_ms;  // where the clip's file starts on the track's time
  bool camera;             // --camera: the settings' line
  bool gps;                // --gps: the position's line
};

// The clip's subtitle file, as its bytes in `text`, with `lines` under each
// date when given (cues whose whole texts agree then merge as dates do);
// returns how many cues it holds (none for a clip of no length, or one whose
// every text is empty). Only for a clip that passed the date checks.
std::uint64_t render_clip_file(const OutputPlan& plan, const Playlist& playlist,
                               const PlayItem& item, std::string* text,
                               const CueLines* lines = nullptr);

// The same walk with every file kept in `files` instead of on disk.
bool produce_subtitles_in_memory(const OutputPlan& plan, const Playlist& playlist,
                                 const Console& console, MemoryFiles* files);

}  // namespace zelvok
