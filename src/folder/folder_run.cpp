#include "folder/folder_run.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

#include "ffmpeg/capabilities.h"
#include "ffmpeg/make_with_ffmpeg.h"
#include "folder/folder_state.h"
#include "messages/messages.h"
#include "platform/folders.h"
#include "stream/clip_timeline.h"
#include "stream/read_camera_track.h"
#include "stream/read_stream.h"

namespace zelvok {
namespace {

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
  dated->track_offset_ms = dated->from_playlist ? in_time_offset_ms(dated->track, item.in_time) : 0;
  dated->cues = render_cues(*run, run->plan, *dated, &dated->text);
  return nullptr;
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

std::uint64_t render_cues(const FolderRun& run, const OutputPlan& plan, const DatedClip& dated,
                          std::string* text) {
  const CueLines lines{dated.track, dated.track_offset_ms, run.options.camera, run.options.gps};
  return render_clip_file(plan, dated.one, dated.one.play_items[0], text,
                          run.options.camera || run.options.gps ? &lines : nullptr);
}

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
