#include "folder/folder_state.h"

#include <string>

#include "ffmpeg/make_with_ffmpeg.h"
#include "messages/messages.h"
#include "stream/read_clip_media.h"
#include "subtitle/produce.h"

namespace zelvok {
namespace {

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
    OutputPlan plan = run.plan;
    plan.form = SubtitleForm::kSubRip;
    plan.clip_from_ms = dated->media->first_shown_pts / kPtsPerMillisecond;
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
  const std::uint64_t step = dated.media->frame_ticks;
  return step == 0 ? 0 : duration_ms(dated.one.play_items[0]) * kPtsPerMillisecond / step;
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

}  // namespace

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

}  // namespace zelvok
