#include "folder/folder_run.h"

#include <array>
#include <set>
#include <utility>

#include "folder/card_playlists.h"
#include "folder/find_clips.h"
#include "messages/messages.h"
#include "mkv/make_mkv.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "stream/clip_timeline.h"
#include "stream/read_stream.h"

namespace zelvok {
namespace {

// A file's identity as a key: a card of thousands of clips is looked up in
// a set, not walked.
using FileKey = std::pair<std::uint64_t, std::uint64_t>;

FileKey key_of(const FileIdentity& file) {
  return {file.device, file.index};
}

struct Counts {
  std::uint64_t found = 0;
  std::uint64_t written = 0;
  std::uint64_t from_playlists = 0;
  std::uint64_t from_streams = 0;
  std::uint64_t there = 0;
  std::uint64_t failed = 0;
};

struct FolderRun {
  const OutputPlan& plan;
  const FolderOptions& options;
  const Console& console;
  std::string ffmpeg;  // with --mkv
  CardPlaylists cards;
  std::set<FileKey> clips_met;  // every clip dated or counted so far
  std::set<FileKey> written;    // the subtitle files this run wrote, with --overwrite
  Counts counts;
};

// Where a clip's subtitle file goes: beside it, or below --output-dir where
// it stands below the folder given (a clip named itself: in the folder).
std::string target_folder(const FolderRun& run, const FoundClip& clip) {
  if (!run.options.output_dir) {
    return clip.folder;
  }
  return clip.named ? *run.options.output_dir : joined(*run.options.output_dir, clip.below);
}

// True when the clip was met before, or its subtitle file is there and is
// to be left as it is: a file this run wrote is never replaced.
bool is_there(FolderRun* run, const FoundClip& clip, const std::string& target) {
  FileIdentity identity{0, 0};
  if (identify_file(clip.path, &identity)) {
    if (!run->clips_met.insert(key_of(identity)).second) {
      return true;
    }
  }
  if (!entry_exists(target)) {
    return false;
  }
  FileIdentity written{0, 0};
  return !run->options.overwrite ||
         (identify_file(target, &written) && run->written.contains(key_of(written)));
}

// The clip as a playlist of one PlayItem: from its card's playlist, else
// from its own stream. The message that says why it cannot be dated, or null.
const Message* date_clip(FolderRun* run, const FoundClip& clip, Playlist* one,
                         bool* from_playlist) {
  *from_playlist = date_from_card(clip.folder, clip.name, &run->cards, one);
  if (*from_playlist) {
    return nullptr;
  }
  switch (read_clip_file(clip.path, one)) {
    case StreamFault::kNone:
      return nullptr;
    case StreamFault::kNoDate:
      return &messages::kClipUndated;
    case StreamFault::kOpenFailed:
    case StreamFault::kAllocationFailed:
      break;
  }
  return &messages::kClipUnreadable;
}

// A new file beside `target` to write first, under a name that the walk
// and players pass over.
OpenedFile create_temporary(const std::string& folder, const std::string& name,
                            std::string* temporary) {
  OpenedFile file{-1, {0, 0}, false, 0};
  for (int attempt = 0; attempt < 10 && file.descriptor < 0; ++attempt) {
    *temporary =
        joined(folder, "." + name + ".part" + (attempt == 0 ? "" : std::to_string(attempt)));
    file = create_new_file(*temporary);
  }
  return file;
}

// Writes the subtitle file whole or not at all: under a temporary name in
// its folder, then moved into place. Nothing but a regular file is ever
// replaced, and only with --overwrite.
bool write_subtitle(FolderRun* run, const Playlist& one, const std::string& folder,
                    const std::string& name) {
  const std::string target = joined(folder, name);
  // Without --overwrite nothing was there a moment ago, and the move below
  // replaces nothing that came since.
  const bool replacing = run->options.overwrite && entry_exists(target);
  if ((run->options.output_dir && !make_folders(folder)) ||
      (replacing && (is_link(target) || entry_kind(target) != EntryKind::kRegular))) {
    return false;
  }
  std::string temporary;
  const OpenedFile file = create_temporary(folder, name, &temporary);
  if (file.descriptor < 0) {
    return false;
  }
  keep_temporary_name(temporary);
  const bool written =
      write_clip_file(run->plan, one, one.play_items[0], file.descriptor, temporary) &&
      move_into_place(temporary, target, run->options.overwrite);
  if (!written) {
    (void)remove_file(temporary);
  }
  keep_temporary_name("");
  // Only --overwrite could replace a file this run wrote: it remembers them.
  FileIdentity identity{0, 0};
  if (written && run->options.overwrite && identify_file(target, &identity)) {
    run->written.insert(key_of(identity));
  }
  return written;
}

// NAME.mkv beside the clip's subtitle file, unless one is there and may not
// be replaced. The clip's stream says where its first frame is shown.
bool make_clip_mkv(FolderRun* run, const FoundClip& clip, const Playlist& one, bool from_playlist,
                   const std::string& subtitles) {
  const std::string target =
      subtitles.substr(0, subtitles.size() - form_extension(run->plan.form).size()) + ".mkv";
  if (entry_exists(target) && !run->options.overwrite) {
    return true;
  }
  // A clip dated from its card's playlist was not read: its stream says where
  // its first frame is shown.
  Playlist stream;
  if (from_playlist && read_clip_file(clip.path, &stream) != StreamFault::kNone) {
    print(run->console, messages::kMkvFailed, target);
    return false;
  }
  const PlayItem& item = (from_playlist ? stream : one).play_items[0];
  return make_mkv(
      run->ffmpeg,
      MkvJob{clip.path, subtitles, target, item.first_shown_pts, run->options.overwrite},
      run->console);
}

// Dates one clip and writes its subtitle file, with its lines; false when it
// failed.
bool run_clip(FolderRun* run, const FoundClip& clip) {
  const std::string folder = target_folder(*run, clip);
  const std::string name = clip_name_of(clip.name) + std::string(form_extension(run->plan.form));
  const std::string target = joined(folder, name);
  print(run->console, messages::kStreamName, clip.path);
  print(run->console, messages::kSubtitleName, target);
  if (is_there(run, clip, target)) {
    print(run->console, messages::kSubtitleThere);
    ++run->counts.there;
    return true;
  }
  Playlist one;
  bool from_playlist = false;
  const Message* refusal = date_clip(run, clip, &one, &from_playlist);
  if (refusal == nullptr) {
    refusal = clip_date_refusal(run->plan, one, one.play_items[0]) != nullptr
                  ? &messages::kClipDateRefused
                  : nullptr;
  }
  if (refusal != nullptr) {
    print(run->console, *refusal);
    return false;
  }
  print(run->console, messages::kRecordingDate, clip_first_date(run->plan, one, one.play_items[0]));
  if (!write_subtitle(run, one, folder, name)) {
    print(run->console, messages::kClipWriteFailed);
    return false;
  }
  if (run->options.mkv && !make_clip_mkv(run, clip, one, from_playlist, joined(folder, name))) {
    return false;
  }
  ++run->counts.written;
  ++(from_playlist ? run->counts.from_playlists : run->counts.from_streams);
  return true;
}

void print_counts(const Console& console, const Counts& counts) {
  const std::array<std::string, 6> numbers = {
      std::to_string(counts.found),          std::to_string(counts.written),
      std::to_string(counts.from_playlists), std::to_string(counts.from_streams),
      std::to_string(counts.there),          std::to_string(counts.failed)};
  const std::array<std::string_view, 6> values = {numbers[0], numbers[1], numbers[2],
                                                  numbers[3], numbers[4], numbers[5]};
  print(console, messages::kFolderSummary, values);
}

}  // namespace

bool run_folders(const std::vector<FolderRunName>& names, const OutputPlan& plan,
                 const FolderOptions& options, const Console& console) {
  FolderRun run{plan, options, console, std::string(), {}, {}, {}, {}};
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
      find_clips(name.name, &clips);
    } else {
      clips.push_back(named_clip(name.name));
    }
  }
  if (clips.empty()) {
    print(console, messages::kNoClipInFolder);
    return false;
  }
  for (const FoundClip& clip : clips) {
    ++run.counts.found;
    if (clip.unreadable) {
      print(console, messages::kFolderUnreadable, clip.path);
      ++run.counts.failed;
    } else if (!run_clip(&run, clip)) {
      ++run.counts.failed;
    }
  }
  print_counts(console, run.counts);
  return run.counts.failed == 0;
}

}  // namespace zelvok
