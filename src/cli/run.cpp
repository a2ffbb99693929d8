#include "cli/run.h"

#include <algorithm>
#include <vector>

#include "cli/arguments.h"
#include "cli/input.h"
#include "folder/folder_run.h"
#include "messages/messages.h"
#include "playlist/read_playlist.h"

namespace zelvok {
namespace {

// Prints the help text or the command-line failure; true when the scan found
// a run to do.
bool report_scan(ScanOutcome outcome, const Console& console) {
  switch (outcome) {
    case ScanOutcome::kRun:
      return true;
    case ScanOutcome::kHelp:
    case ScanOutcome::kLongHelp:
      print(console, messages::kHelp);
      if (outcome == ScanOutcome::kLongHelp) {
        print(console, messages::kLongOptionHelp);
      }
      return false;
    case ScanOutcome::kVersion:
      print(console, messages::kVersion, ZELVOK_VERSION);
      return false;
    case ScanOutcome::kBadShift:
      print(console, messages::kBadShift);
      return false;
    case ScanOutcome::kBadFormat:
      print(console, messages::kBadFormat);
      return false;
    case ScanOutcome::kBadZone:
      print(console, messages::kBadZone);
      return false;
    case ScanOutcome::kMissingValue:
      print(console, messages::kMissingValue);
      return false;
    case ScanOutcome::kInvalidOption:
      print(console, messages::kInvalidOption);
      return false;
    case ScanOutcome::kNoFileName:
      print(console, messages::kNoFileName);
      return false;
  }
  return false;
}

// --help and --version answer what was asked: the run succeeds.
bool succeeds_without_work(ScanOutcome outcome) {
  return outcome == ScanOutcome::kLongHelp || outcome == ScanOutcome::kVersion;
}

// What the user is told of a playlist that cannot be read.
const Message& playlist_refusal(PlaylistFault fault) {
  switch (fault) {
    case PlaylistFault::kOpenFailed:
    case PlaylistFault::kNone:
      break;
    case PlaylistFault::kAllocationFailed:
      return messages::kAllocationFailed;
    case PlaylistFault::kNotPlaylist:
      return messages::kNotPlaylist;
    case PlaylistFault::kBadExtensionData:
      return messages::kBadExtensionData;
    case PlaylistFault::kBadPlexBlock:
      return messages::kBadPlexBlock;
    case PlaylistFault::kBadSceneTableSize:
      return messages::kBadSceneTableSize;
    case PlaylistFault::kSceneCountMismatch:
      return messages::kSceneCountMismatch;
  }
  return messages::kOpenFailed;
}

bool is_clip_or_folder(InputKind kind) {
  return kind == InputKind::kFolder || kind == InputKind::kClip;
}

// Clips and folders, named alone or several at once: one folder run, which
// writes each clip's files beside it (or below --output-dir).
int run_clips(const std::vector<InputKind>& kinds, const std::vector<std::string>& names,
              const RunOptions& options, const Console& console) {
  for (const std::string& name : names) {
    print(console, messages::kInputName, name);
  }
  if (!std::all_of(kinds.begin(), kinds.end(), is_clip_or_folder)) {
    print(console, messages::kMixedNames);
    return kExitFailure;
  }
  if (options.picks) {
    print(console, messages::kPicksNeedPlaylist);
    return kExitFailure;
  }
  std::vector<FolderRunName> folder_names;
  for (std::size_t at = 0; at < names.size(); ++at) {
    folder_names.push_back({names[at], kinds[at] == InputKind::kFolder});
  }
  return run_folders(folder_names, options.output, options.folder, console) ? kExitSuccess
                                                                            : kExitFailure;
}

// A playlist, the last name given: its whole-playlist file and one file per
// clip, in the working folder.
int run_playlist(const std::string& name, const Input& input, const RunOptions& options,
                 const Console& console) {
  print(console, messages::kInputName, name);
  if (options.folder.output_dir) {
    print(console, messages::kOutputDirNeedsClips);
    return kExitFailure;
  }
  if (options.folder.camera || options.folder.gps || options.folder.gpx) {
    print(console, messages::kCameraNeedsClips);
    return kExitFailure;
  }
  if (input.kind != InputKind::kPlaylist) {
    print(console, messages::kOpenFailed);
    return kExitFailure;
  }
  if (options.folder.mkv || options.folder.mp4 || options.folder.burn) {
    print(console, options.folder.mkv ? messages::kMkvNeedsClip : messages::kMp4NeedsClip);
    return kExitFailure;
  }
  const Validation read = read_playlist(input.file);
  if (read.count_known) {
    print(console, messages::kPlayItemCount, std::to_string(read.play_item_count));
  }
  if (read.fault != PlaylistFault::kNone) {
    print(console, playlist_refusal(read.fault));
    return kExitFailure;
  }
  return produce_subtitles(options.output, read.playlist, input.file.identity, console)
             ? kExitSuccess
             : kExitFailure;
}

// What each name is, decided by one look at it: a run of clips and folders
// when any name is one; else the playlist run of the last name.
// The last name's file stays open for a playlist run; the others are closed
// at once, as thousands of clips may be named.
int run_names(const RunOptions& options, const Console& console) {
  const std::vector<std::string>& names = options.input_names;
  std::vector<InputKind> kinds;
  Input last;
  for (std::size_t at = 0; at < names.size(); ++at) {
    const Input input = open_input(names[at]);
    kinds.push_back(input.kind);
    if (at + 1 < names.size()) {
      close_input(input);
    } else {
      last = input;
    }
  }
  const int status = std::any_of(kinds.begin(), kinds.end(), is_clip_or_folder)
                         ? run_clips(kinds, names, options, console)
                         : run_playlist(names.back(), last, options, console);
  close_input(last);
  return status;
}

}  // namespace

int run(std::span<const std::string> arguments, const Console& console) {
  const ScanResult scan = scan_arguments(arguments);
  if (!report_scan(scan.outcome, console)) {
    return succeeds_without_work(scan.outcome) ? kExitSuccess : kExitFailure;
  }
  return run_names(scan.options, console);
}

}  // namespace zelvok
