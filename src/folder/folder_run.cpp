#include "folder/folder_run.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "folder/card_playlists.h"
#include "folder/find_clips.h"
#include "folder/places.h"
#include "gpx/gpx_text.h"
#include "messages/messages.h"
#include "mkv/make_mkv.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/whole_file.h"
#include "stream/clip_timeline.h"
#include "stream/read_camera_track.h"
#include "stream/read_stream.h"

namespace zelvok {
namespace {

struct Counts {
  std::uint64_t found = 0;
  std::uint64_t written = 0;
  std::uint64_t from_playlists = 0;
  std::uint64_t from_streams = 0;
  std::uint64_t there = 0;
  std::uint64_t failed = 0;
  std::uint64_t mkv_made = 0;
  std::uint64_t mkv_there = 0;
  std::uint64_t mkv_failed = 0;
};

struct FolderRun {
  const OutputPlan& plan;
  const FolderOptions& options;
  const Console& console;
  std::string ffmpeg;  // with --mkv
  CardPlaylists cards;
  PlaceBook places;
  std::set<std::string> dated;    // the clips whose subtitle file this run wrote
  std::set<std::string> muxed;    // the clips whose MKV this run made
  std::set<std::string> tracked;  // the clips whose GPX file this run wrote
  Counts counts;
  std::vector<std::string> failed;  // the clips that failed, as their lines show them
};

// A clip dated, with its subtitle file's text.
struct DatedClip {
  Playlist one;  // the clip as a playlist of one PlayItem
  bool from_playlist = false;
  CameraTrack track;  // with --camera, --gps or --gpx: what its frames recorded
  std::string text;
  std::uint64_t cues = 0;
};

bool reads_track(const FolderOptions& options) {
  return options.camera || options.gps || options.gpx;
}

// Where a clip's outputs go: beside it, or below --output-dir where it
// stands below the folder given (a clip named itself: in the folder).
std::string target_folder(const FolderRun& run, const FoundClip& clip) {
  if (!run.options.output_dir) {
    return clip.folder;
  }
  return clip.named ? *run.options.output_dir : joined(*run.options.output_dir, clip.below);
}

// An output's name: the clip's name without its last extension, then the
// output's own.
std::string output_name(const FoundClip& clip, std::string_view extension) {
  return clip_name_of(clip.name) + std::string(extension);
}

// True when `target` is the clip itself (a clip named NAME.srt), which is
// never replaced by its own output.
bool is_the_clip(const FoundClip& clip, const std::string& target) {
  FileIdentity a{0, 0};
  FileIdentity b{0, 0};
  return identify_file(clip.path, &a) && identify_file(target, &b) && same_file(a, b);
}

// The message for a clip whose stream cannot give what was asked of it.
const Message* stream_refusal(StreamFault fault) {
  switch (fault) {
    case StreamFault::kNone:
      return nullptr;
    case StreamFault::kAllocationFailed:
      return &messages::kClipOutOfMemory;
    case StreamFault::kNoDate:
    case StreamFault::kOpenFailed:
      break;
  }
  return &messages::kClipUnreadable;
}

// The clip as a playlist of one PlayItem: from its card's playlist, else
// from its own stream. The message that says why it cannot be dated, or null.
const Message* read_clip(FolderRun* run, const FoundClip& clip, DatedClip* dated) {
  dated->from_playlist = date_from_card(clip.folder, clip.name, &run->cards, &dated->one);
  if (dated->from_playlist) {
    return nullptr;
  }
  const StreamFault fault = read_clip_file(clip.path, &dated->one);
  return fault == StreamFault::kNoDate ? &messages::kClipUndated : stream_refusal(fault);
}

// Dates the clip and makes its subtitle text, with the camera's lines under
// each date when asked; the message that says why it cannot be, or null.
const Message* date_clip(FolderRun* run, const FoundClip& clip, DatedClip* dated) {
  if (const Message* refusal = read_clip(run, clip, dated); refusal != nullptr) {
    return refusal;
  }
  const PlayItem& item = dated->one.play_items[0];
  if (clip_date_refusal(run->plan, dated->one, item) != nullptr) {
    return &messages::kClipDateRefused;
  }
  if (reads_track(run->options)) {
    // A clip dated by its card's playlist is read now, for what its frames say.
    if (const Message* refusal = stream_refusal(read_camera_track(clip.path, &dated->track))) {
      return refusal;
    }
  }
  const std::int64_t offset =
      dated->from_playlist ? in_time_offset_ms(dated->track, item.in_time) : 0;
  const CueLines lines{dated->track, offset, run->options.camera, run->options.gps};
  dated->cues = render_clip_file(run->plan, dated->one, item, &dated->text,
                                 run->options.camera || run->options.gps ? &lines : nullptr);
  return nullptr;
}

// An output's place made ready to write: its folder made below
// --output-dir; false when it cannot be, or when the entry --overwrite would
// replace is the clip itself.
bool ready_place(const FolderRun& run, const FoundClip& clip, const std::string& target,
                 Place place) {
  return (!run.options.output_dir || make_folders(folder_part(target))) &&
         !(place == Place::kReplace && is_the_clip(clip, target));
}

// Notes an output this run wrote for the clip, at its place and in `done`.
void record_made(FolderRun* run, const FoundClip& clip, const std::string& target,
                 std::set<std::string>* done) {
  const std::string clip_key = place_key(&run->places, clip.path);
  note_made(&run->places, target, clip_key);
  done->insert(clip_key);
}

// Writes the subtitle file whole or not at all. Nothing but a regular file
// is ever replaced, and only with --overwrite; never the clip itself.
bool write_subtitle(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
                    const DatedClip& dated) {
  if (!ready_place(*run, clip, target, place) ||
      !write_whole_file(target, dated.text, place == Place::kReplace)) {
    return false;
  }
  record_made(run, clip, target, &run->dated);
  return true;
}

// NAME.mkv beside the clip's subtitle file, muxed from this run's own cues.
// A clip dated from its card's playlist was not read: its stream says where
// its first frame is shown.
bool make_clip_mkv(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
                   const DatedClip& dated) {
  Playlist stream;
  if ((dated.from_playlist && read_clip_file(clip.path, &stream) != StreamFault::kNone) ||
      !ready_place(*run, clip, target, place)) {
    print(run->console, messages::kMkvFailed, target);
    return false;
  }
  const PlayItem& item = (dated.from_playlist ? stream : dated.one).play_items[0];
  const MkvJob job{clip.path, dated.text,           run->plan.form,
                   target,    item.first_shown_pts, place == Place::kReplace};
  if (!make_mkv(run->ffmpeg, job, run->console)) {
    return false;
  }
  record_made(run, clip, target, &run->muxed);
  return true;
}

// The clip's GPS track beside its subtitle file, when it has a valid fix:
// written whole, or left; a clip with none gets a line, and that is no
// failure.
bool run_gpx(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
             const DatedClip& dated) {
  if (place == Place::kThere) {
    return true;
  }
  if (dated.track.points.empty()) {
    print(run->console, messages::kNoGpsFix);
    return true;
  }
  if (place == Place::kTaken || !ready_place(*run, clip, target, place) ||
      !write_whole_file(target, gpx_text(clip.name, dated.track.points),
                        place == Place::kReplace)) {
    print(run->console, messages::kClipWriteFailed);
    return false;
  }
  record_made(run, clip, target, &run->tracked);
  return true;
}

// The MKV of a clip dated: left, refused or made, with its line.
bool run_mkv(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
             const DatedClip& dated) {
  switch (place) {
    case Place::kThere:
      print(run->console, messages::kMkvThere, target);
      ++run->counts.mkv_there;
      return true;
    case Place::kTaken:
      print(run->console, messages::kMkvPlaceTaken, target);
      break;
    case Place::kFree:
    case Place::kReplace:
      if (make_clip_mkv(run, clip, target, place, dated)) {
        print(run->console, messages::kMkvMade, target);
        ++run->counts.mkv_made;
        return true;
      }
      break;
  }
  ++run->counts.mkv_failed;
  return false;
}

// The subtitle file of a clip dated, unless it is to be left: written,
// refused or failed, with its lines. False when the clip fails.
bool run_subtitle(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
                  const DatedClip& dated) {
  if (place != Place::kThere) {
    print(run->console, messages::kRecordingDate,
          clip_first_date(run->plan, dated.one, dated.one.play_items[0]));
  }
  const Message* fault = nullptr;
  if (place == Place::kTaken) {
    fault = &messages::kPlaceTaken;
  } else if (dated.cues == 0) {
    fault = &messages::kNothingToShow;
  } else if (place != Place::kThere && !write_subtitle(run, clip, target, place, dated)) {
    fault = &messages::kClipWriteFailed;
  }
  if (fault != nullptr) {
    print(run->console, *fault);
  }
  return fault == nullptr;
}

// Dates one clip and makes what is missing of its outputs, with its lines;
// false when it failed.
bool run_clip(FolderRun* run, const FoundClip& clip) {
  const std::string folder = target_folder(*run, clip);
  const std::string subtitle_name = output_name(clip, form_extension(run->plan.form));
  const std::string mkv_name = output_name(clip, ".mkv");
  const std::string subtitle = joined(folder, subtitle_name);
  const std::string mkv = joined(folder, mkv_name);
  print(run->console, messages::kStreamName, clip.path);
  print(run->console, messages::kSubtitleName, subtitle);
  const std::string clip_key = place_key(&run->places, clip.path);
  const bool overwrite = run->options.overwrite;
  const Place subtitle_place =
      place_of(&run->places, folder, subtitle_name, clip_key, run->dated, overwrite);
  const Place mkv_place =
      run->options.mkv ? place_of(&run->places, folder, mkv_name, clip_key, run->muxed, overwrite)
                       : Place::kThere;
  const std::string gpx_name = output_name(clip, ".gpx");
  const Place gpx_place =
      run->options.gpx ? place_of(&run->places, folder, gpx_name, clip_key, run->tracked, overwrite)
                       : Place::kThere;
  if (subtitle_place == Place::kThere) {
    print(run->console, messages::kSubtitleThere);
    if (mkv_place == Place::kThere && gpx_place == Place::kThere) {
      if (run->options.mkv) {
        print(run->console, messages::kMkvThere, mkv);
        ++run->counts.mkv_there;
      }
      ++run->counts.there;
      return true;
    }
  }
  DatedClip dated;
  const Message* refusal = date_clip(run, clip, &dated);
  if (refusal != nullptr) {
    print(run->console, *refusal);
  }
  if (refusal != nullptr || !run_subtitle(run, clip, subtitle, subtitle_place, dated) ||
      (run->options.gpx && !run_gpx(run, clip, joined(folder, gpx_name), gpx_place, dated))) {
    // A clip that failed before its MKV was reached has no MKV either.
    run->counts.mkv_failed += run->options.mkv ? 1 : 0;
    return false;
  }
  if (run->options.mkv && !run_mkv(run, clip, mkv, mkv_place, dated)) {
    return false;
  }
  ++run->counts.written;
  ++(dated.from_playlist ? run->counts.from_playlists : run->counts.from_streams);
  return true;
}

std::string number(std::uint64_t value) {
  return std::to_string(value);
}

// The counts, the MKV's with --mkv, then every clip that failed.
void print_summary(const FolderRun& run) {
  const Counts& counts = run.counts;
  const std::array<std::string, 6> numbers = {
      number(counts.found),        number(counts.written), number(counts.from_playlists),
      number(counts.from_streams), number(counts.there),   number(counts.failed)};
  const std::array<std::string_view, 6> values = {numbers[0], numbers[1], numbers[2],
                                                  numbers[3], numbers[4], numbers[5]};
  print(run.console, messages::kFolderSummary, values);
  if (run.options.mkv) {
    const std::array<std::string, 3> mkv = {number(counts.mkv_made), number(counts.mkv_there),
                                            number(counts.mkv_failed)};
    const std::array<std::string_view, 3> mkv_values = {mkv[0], mkv[1], mkv[2]};
    print(run.console, messages::kMkvSummary, mkv_values);
  }
  for (const std::string& clip : run.failed) {
    print(run.console, messages::kFailedClip, clip);
  }
}

// One clip found: dated, or the folder that could not be read where its
// clips would be.
void run_found(FolderRun* run, const FoundClip& clip) {
  ++run->counts.found;
  bool done = false;
  if (clip.unreadable) {
    print(run->console, messages::kFolderUnreadable, clip.path);
  } else {
    done = run_clip(run, clip);
  }
  if (!done) {
    ++run->counts.failed;
    run->failed.push_back(clip.path);
  }
  // Each clip's lines reach a log whole, even if the run is then stopped.
  (void)std::fflush(run->console.stream);
}

}  // namespace

bool run_folders(const std::vector<FolderRunName>& names, const OutputPlan& plan,
                 const FolderOptions& options, const Console& console) {
  FolderRun run{plan, options, console, std::string(), {}, {}, {}, {}, {}, {}, {}};
  if (options.mkv) {
    run.ffmpeg = find_ffmpeg();
    if (run.ffmpeg.empty()) {
      print(console, messages::kNoFfmpeg);
      return false;
    }
  }
  // Every clip is found before the first is dated.
  std::vector<FoundClip> clips;
  for (const FolderRunName& name : names) {
    if (name.folder) {
      find_clips(name.name, &clips, &run.places.listings);
    } else {
      clips.push_back(named_clip(name.name));
    }
  }
  if (clips.empty()) {
    print(console, messages::kNoClipInFolder);
    return false;
  }
  for (const FoundClip& clip : clips) {
    run_found(&run, clip);
  }
  print_summary(run);
  return run.counts.failed == 0;
}

}  // namespace zelvok
