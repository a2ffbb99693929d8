#include "folder/folder_state.h"

#include <string>

#include "gpx/gpx_text.h"
#include "messages/messages.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/whole_file.h"
#include "subtitle/produce.h"

namespace zelvok {
namespace {

// True when `target` is the clip itself (a clip named NAME.srt), which is
// never replaced by its own output.
bool is_the_clip(const FoundClip& clip, const std::string& target) {
  FileIdentity a{0, 0};
  FileIdentity b{0, 0};
  return identify_file(clip.path, &a) && identify_file(target, &b) && same_file(a, b);
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

}  // namespace

bool ready_place(const FolderRun& run, const FoundClip& clip, const std::string& target,
                 Place place) {
  return (!run.options.output_dir || make_folders(folder_part(target))) &&
         !(place == Place::kReplace && is_the_clip(clip, target));
}

void record_made(FolderRun* run, const FoundClip& clip, const std::string& target,
                 std::set<std::string>* done) {
  const std::string clip_key = place_key(&run->places, clip.path);
  note_made(&run->places, target, clip_key);
  done->insert(clip_key);
}

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

}  // namespace zelvok
