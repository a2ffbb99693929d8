#include "folder/folder_run.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>

#include "ffmpeg/capabilities.h"
#include "ffmpeg/make_with_ffmpeg.h"
#include "folder/card_playlists.h"
#include "folder/find_clips.h"
#include "folder/places.h"
#include "gpx/gpx_text.h"
#include "messages/messages.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/whole_file.h"
#include "stream/clip_timeline.h"
#include "stream/read_camera_track.h"
#include "stream/read_clip_media.h"
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
};

// The files of one container, over the run.
struct ContainerCounts {
  std::uint64_t made = 0;
  std::uint64_t there = 0;
  std::uint64_t failed = 0;
};

constexpr std::array<Container, kContainers> kAllContainers = {Container::kMkv, Container::kMp4};

struct FolderRun {
  const OutputPlan& plan;
  const FolderOptions& options;
  const Console& console;
  std::string ffmpeg;  // with --mkv or --mp4
  CardPlaylists cards;
  PlaceBook places;
  std::set<std::string> dated;    // the clips whose subtitle file this run wrote
  std::set<std::string> tracked;  // the clips whose GPX file this run wrote
  // Of each container, the clips whose file this run made.
  std::array<std::set<std::string>, kContainers> muxed;
  Counts counts;
  std::array<ContainerCounts, kContainers> container_counts;
  bool told_no_zone = false;        // the line that no creation time is written, once a run
  std::vector<std::string> failed;  // the clips that failed, as their lines show them
};

// A clip dated, with its subtitle file's text.
struct DatedClip {
  Playlist one;  // the clip as a playlist of one PlayItem
  bool from_playlist = false;
  CameraTrack track;                 // with --camera, --gps or --gpx: what its frames recorded
  std::int64_t track_offset_ms = 0;  // where the clip's file starts on the track's time
  std::string text;
  std::uint64_t cues = 0;
  // For its MKV and MP4, read once: what its stream holds besides its dates,
  // and its cues on its own clock, to be drawn in.
  std::optional<ClipMedia> media;
  std::string drawn;
};

std::size_t index_of(Container container) {
  return container == Container::kMkv ? 0 : 1;
}

// Whether the run makes the container's file of each clip: --mkv, --mp4,
// and --burn alone, which means the MP4.
bool wants(const FolderOptions& options, Container container) {
  return container == Container::kMkv ? options.mkv : options.mp4 || (options.burn && !options.mkv);
}

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

// The clip's cues as `plan` lays them out, with the camera's lines under
// each date when asked; how many there are.
std::uint64_t render_cues(const FolderRun& run, const OutputPlan& plan, const DatedClip& dated,
                          std::string* text) {
  const CueLines lines{dated.track, dated.track_offset_ms, run.options.camera, run.options.gps};
  return render_clip_file(plan, dated.one, dated.one.play_items[0], text,
                          run.options.camera || run.options.gps ? &lines : nullptr);
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
  dated->track_offset_ms = dated->from_playlist ? in_time_offset_ms(dated->track, item.in_time) : 0;
  dated->cues = render_cues(*run, run->plan, *dated, &dated->text);
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

// The clip's stream read for what it holds besides its dates, once for all
// its files; null when it cannot be.
const ClipMedia* media_of(const FoundClip& clip, DatedClip* dated) {
  if (!dated->media) {
    ClipMedia media;
    if (read_clip_media(clip.path, &media) != StreamFault::kNone) {
      return nullptr;
    }
    dated->media = media;
  }
  return &*dated->media;
}

// The cues drawn into the picture: the clip's own, on the clip's clock from
// its first frame shown (whole milliseconds rounded down, so that the frame
// that starts a cue shows it), in SubRip whatever the subtitle file's form.
const std::string& drawn_cues(const FolderRun& run, DatedClip* dated) {
  if (dated->drawn.empty()) {
    constexpr std::uint64_t kTicksPerMs = 90;
    OutputPlan plan = run.plan;
    plan.form = SubtitleForm::kSubRip;
    plan.clip_from_ms = dated->media->first_shown_pts / kTicksPerMs;
    (void)render_cues(run, plan, *dated, &dated->drawn);
  }
  return dated->drawn;
}

// The instant the clip's first frame was filmed, where its camera recorded
// its zone; the run says once that it writes none where one did not.
std::optional<RecordedAt> creation_time(FolderRun* run, const DatedClip& dated) {
  const RecordedAt recorded = clip_recorded_at(run->plan, dated.one, dated.one.play_items[0]);
  RecordingStamp utc{};
  if (recorded.zone == kNoZone && !run->told_no_zone) {
    print(run->console, messages::kNoCreationTime);
    run->told_no_zone = true;
  }
  return utc_of(recorded, &utc) ? std::optional<RecordedAt>(recorded) : std::nullopt;
}

// The frames a re-encoding of the clip makes, for its progress; 0 when not
// known.
std::uint64_t frames_of(const DatedClip& dated) {
  constexpr std::uint64_t kTicksPerMs = 90;
  const std::uint64_t step = dated.media->frame_ticks;
  return step == 0 ? 0 : duration_ms(dated.one.play_items[0]) * kTicksPerMs / step;
}

// The container's file beside the clip's subtitle file, made from this
// run's own cues.
bool make_container(FolderRun* run, const FoundClip& clip, Container container,
                    const std::string& target, Place place, DatedClip* dated) {
  const ClipMedia* media = media_of(clip, dated);
  if (media == nullptr || !ready_place(*run, clip, target, place)) {
    print(run->console, container_lines(container).failed, target);
    return false;
  }
  FfmpegJob job;
  job.container = container;
  job.clip = clip.path;
  job.media = *media;
  job.cues = dated->text;
  job.form = run->plan.form;
  if (run->options.burn) {
    job.drawn_cues = drawn_cues(*run, dated);
    job.frames = frames_of(*dated);
  }
  job.created = creation_time(run, *dated);
  job.target = target;
  job.replace = place == Place::kReplace;
  if (!make_with_ffmpeg(run->ffmpeg, job, run->console)) {
    return false;
  }
  record_made(run, clip, target, &run->muxed[index_of(container)]);
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

// A container's file of a clip dated: left, refused or made, with its line.
bool run_container(FolderRun* run, const FoundClip& clip, Container container,
                   const std::string& target, Place place, DatedClip* dated) {
  const ContainerLines& lines = container_lines(container);
  ContainerCounts& counts = run->container_counts[index_of(container)];
  switch (place) {
    case Place::kThere:
      print(run->console, lines.there, target);
      ++counts.there;
      return true;
    case Place::kTaken:
      print(run->console, lines.place_taken, target);
      break;
    case Place::kFree:
    case Place::kReplace:
      if (make_container(run, clip, container, target, place, dated)) {
        print(run->console, lines.made, target);
        ++counts.made;
        return true;
      }
      break;
  }
  ++counts.failed;
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

// Where each output of a clip goes, and what the run does there; an output
// not asked for is left as if it were there.
struct ClipPlaces {
  std::string subtitle;
  Place subtitle_place;
  std::string gpx;
  Place gpx_place;
  std::array<std::string, kContainers> containers;
  std::array<Place, kContainers> container_places;
};

ClipPlaces places_of(FolderRun* run, const FoundClip& clip) {
  const std::string folder = target_folder(*run, clip);
  const std::string clip_key = place_key(&run->places, clip.path);
  const auto place = [&](bool asked, std::string_view extension, std::string* target,
                         const std::set<std::string>& done) {
    const std::string name = output_name(clip, extension);
    *target = joined(folder, name);
    return asked ? place_of(&run->places, folder, name, clip_key, done, run->options.overwrite)
                 : Place::kThere;
  };
  ClipPlaces places;
  places.subtitle_place = place(true, form_extension(run->plan.form), &places.subtitle, run->dated);
  places.gpx_place = place(run->options.gpx, ".gpx", &places.gpx, run->tracked);
  for (const Container container : kAllContainers) {
    const std::size_t k = index_of(container);
    places.container_places[k] =
        place(wants(run->options, container), container_lines(container).extension,
              &places.containers[k], run->muxed[k]);
  }
  return places;
}

// True when every output of the clip is left as it is.
bool all_there(const ClipPlaces& places) {
  return places.subtitle_place == Place::kThere && places.gpx_place == Place::kThere &&
         std::all_of(places.container_places.begin(), places.container_places.end(),
                     [](Place place) { return place == Place::kThere; });
}

// Dates one clip and makes what is missing of its outputs, with its lines;
// false when it failed.
bool run_clip(FolderRun* run, const FoundClip& clip) {
  print(run->console, messages::kStreamName, clip.path);
  const ClipPlaces places = places_of(run, clip);
  print(run->console, messages::kSubtitleName, places.subtitle);
  if (places.subtitle_place == Place::kThere) {
    print(run->console, messages::kSubtitleThere);
  }
  DatedClip dated;
  const bool left = all_there(places);
  const Message* refusal = left ? nullptr : date_clip(run, clip, &dated);
  if (refusal != nullptr) {
    print(run->console, *refusal);
  }
  if (!left && (refusal != nullptr ||
                !run_subtitle(run, clip, places.subtitle, places.subtitle_place, dated) ||
                (run->options.gpx && !run_gpx(run, clip, places.gpx, places.gpx_place, dated)))) {
    // A clip that failed before its MKV and MP4 were reached has neither.
    for (const Container container : kAllContainers) {
      run->container_counts[index_of(container)].failed += wants(run->options, container) ? 1 : 0;
    }
    return false;
  }
  bool whole = true;
  for (const Container container : kAllContainers) {
    const std::size_t k = index_of(container);
    if (wants(run->options, container)) {
      whole = run_container(run, clip, container, places.containers[k], places.container_places[k],
                            &dated) &&
              whole;
    }
  }
  if (whole) {
    ++(left ? run->counts.there : run->counts.written);
    if (!left) {
      ++(dated.from_playlist ? run->counts.from_playlists : run->counts.from_streams);
    }
  }
  return whole;
}

std::string number(std::uint64_t value) {
  return std::to_string(value);
}

// The counts, the MKV's and the MP4's when asked, then every clip that
// failed.
void print_summary(const FolderRun& run) {
  const Counts& counts = run.counts;
  const std::array<std::string, 6> numbers = {
      number(counts.found),        number(counts.written), number(counts.from_playlists),
      number(counts.from_streams), number(counts.there),   number(counts.failed)};
  const std::array<std::string_view, 6> values = {numbers[0], numbers[1], numbers[2],
                                                  numbers[3], numbers[4], numbers[5]};
  print(run.console, messages::kFolderSummary, values);
  for (const Container container : kAllContainers) {
    const ContainerCounts& made = run.container_counts[index_of(container)];
    if (wants(run.options, container)) {
      const std::array<std::string, 3> texts = {number(made.made), number(made.there),
                                                number(made.failed)};
      const std::array<std::string_view, 3> made_values = {texts[0], texts[1], texts[2]};
      print(run.console, container_lines(container).summary, made_values);
    }
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

// The ffmpeg of a run that makes an MKV or an MP4, with what drawing the
// dates needs when asked: false, with the line that says why, when there is
// none. Nothing has been written yet.
bool find_engine(FolderRun* run) {
  if (!wants(run->options, Container::kMkv) && !wants(run->options, Container::kMp4)) {
    return true;
  }
  run->ffmpeg = find_ffmpeg();
  if (run->ffmpeg.empty()) {
    print(run->console, run->options.mkv ? messages::kNoFfmpeg : messages::kNoFfmpegForMp4);
    return false;
  }
  const std::string missing = run->options.burn ? missing_for_drawing(run->ffmpeg) : "";
  if (!missing.empty()) {
    print(run->console, messages::kFfmpegLacks, missing);
    return false;
  }
  return true;
}

}  // namespace

bool run_folders(const std::vector<FolderRunName>& names, const OutputPlan& plan,
                 const FolderOptions& options, const Console& console) {
  FolderRun run{plan, options, console, std::string(), {}, {}, {}, {}, {}, {}, {}, false, {}};
  if (!find_engine(&run)) {
    return false;
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
