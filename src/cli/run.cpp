#include "cli/run.h"

#include "cli/arguments.h"
#include "messages/messages.h"
#include "playlist/read_playlist.h"
#include "subtitle/produce.h"

namespace zelvok {
namespace {

// Prints the help text or the command-line failure; true when the scan found
// a run to do.
bool report_scan(ScanOutcome outcome, const Console& console) {
  switch (outcome) {
    case ScanOutcome::kRun:
      return true;
    case ScanOutcome::kHelp:
      for (const std::string_view line : messages::kHelp) {
        print(console, line);
      }
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

}  // namespace

int run(std::span<const std::string> arguments, const Console& console) {
  const ScanResult scan = scan_arguments(arguments);
  if (!report_scan(scan.outcome, console)) {
    return kExitFailure;
  }
  const RunOptions& options = scan.options;
  print(console, messages::kInputName, options.input_name);
  PlaylistImage image;
  Playlist playlist;
  if (!read_playlist(options.input_name, console, &image, &playlist)) {
    return kExitFailure;
  }
  const bool produced = produce_subtitles(options, playlist, image.identity, console);
  return produced ? kExitSuccess : kExitFailure;
}

}  // namespace zelvok
