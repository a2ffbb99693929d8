#include "cli/run.h"

#include "cli/arguments.h"
#include "cli/input.h"
#include "folder/folder_run.h"
#include "messages/messages.h"
#include "mkv/make_mkv.h"
#include "platform/folders.h"
#include "playlist/read_playlist.h"
#include "stream/clip_timeline.h"
#include "stream/read_stream.h"

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

// Two names or more, each a folder or a clip, are dated in one folder run:
// the names with what each is, or none.
std::vector<FolderRunName> folder_run_names(const std::vector<std::string>& names) {
  if (names.size() < 2) {
    return {};
  }
  std::vector<FolderRunName> found;
  for (const std::string& name : names) {
    const Input input = open_input(name);
    close_input(input);
    if (input.kind != InputKind::kFolder && input.kind != InputKind::kClip) {
      return {};
    }
    found.push_back({name, input.kind == InputKind::kFolder});
  }
  return found;
}

int run_folder_names(const std::vector<FolderRunName>& names, const RunOptions& options,
                     const Console& console) {
  for (const FolderRunName& name : names) {
    print(console, messages::kInputName, name.name);
  }
  if (options.picks) {
    print(console, messages::kFolderPicks);
    return kExitFailure;
  }
  return run_folders(names, options.output, options.folder, console) ? kExitSuccess : kExitFailure;
}

// Reads the playlist or clip open in `input` into `playlist`, with its lines.
bool read_input(const Input& input, const std::string& name, const Console& console,
                Playlist* playlist) {
  switch (input.kind) {
    case InputKind::kPlaylist:
      return read_playlist(input.file, console, playlist);
    case InputKind::kClip:
      return read_stream(input.file, input.packet_size, name, console, playlist);
    case InputKind::kUnopenable:
    case InputKind::kFolder:
      break;
  }
  print(console, messages::kOpenFailed);
  return false;
}

// A clip given alone with --mkv: refused with a playlist, without ffmpeg,
// or where its MKV is there already, before anything is written; then its
// subtitle files, and NAME.mkv beside them.
int run_clip_mkv(const std::string& name, const Input& input, const RunOptions& options,
                 const Console& console) {
  if (input.kind != InputKind::kClip) {
    print(console, messages::kMkvNeedsClip);
    return kExitFailure;
  }
  const std::string ffmpeg = find_ffmpeg();
  if (ffmpeg.empty()) {
    print(console, messages::kNoFfmpeg);
    return kExitFailure;
  }
  const std::string target = clip_name_of(base_name(name)) + ".mkv";
  if (entry_exists(target)) {
    print(console, messages::kOutputThere, target);
    return kExitFailure;
  }
  Playlist playlist;
  if (!read_input(input, name, console, &playlist) ||
      !produce_subtitles(options.output, playlist, input.file.identity, console)) {
    return kExitFailure;
  }
  const PlayItem& item = playlist.play_items[0];
  const MkvJob job{name, item.clip_name + std::string(form_extension(options.output.form)), target,
                   item.first_shown_pts, false};
  return make_mkv(ffmpeg, job, console) ? kExitSuccess : kExitFailure;
}

// One input, as the last name given: a playlist, a clip or a folder.
int run_one(const std::string& name, const RunOptions& options, const Console& console) {
  const Input input = open_input(name);
  if (input.kind == InputKind::kFolder) {
    return run_folder_names({{name, true}}, options, console);
  }
  print(console, messages::kInputName, name);
  if (options.folder.mkv && !options.folder.output_dir && input.kind != InputKind::kUnopenable) {
    const int status = run_clip_mkv(name, input, options, console);
    close_input(input);
    return status;
  }
  Playlist playlist;
  const bool read = !options.folder.output_dir && read_input(input, name, console, &playlist);
  close_input(input);
  if (options.folder.output_dir) {
    print(console, messages::kOutputDirNotFolder);
    return kExitFailure;
  }
  if (!read) {
    return kExitFailure;
  }
  return produce_subtitles(options.output, playlist, input.file.identity, console) ? kExitSuccess
                                                                                   : kExitFailure;
}

}  // namespace

int run(std::span<const std::string> arguments, const Console& console) {
  const ScanResult scan = scan_arguments(arguments);
  if (!report_scan(scan.outcome, console)) {
    return succeeds_without_work(scan.outcome) ? kExitSuccess : kExitFailure;
  }
  const RunOptions& options = scan.options;
  if (const std::vector<FolderRunName> names = folder_run_names(options.input_names);
      !names.empty()) {
    return run_folder_names(names, options, console);
  }
  return run_one(options.input_name, options, console);
}

}  // namespace zelvok
