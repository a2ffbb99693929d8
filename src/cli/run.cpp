#include "cli/run.h"

#include "cli/arguments.h"
#include "messages/messages.h"
#include "playlist/read_playlist.h"
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

}  // namespace

int run(std::span<const std::string> arguments, const Console& console) {
  const ScanResult scan = scan_arguments(arguments);
  if (!report_scan(scan.outcome, console)) {
    return succeeds_without_work(scan.outcome) ? kExitSuccess : kExitFailure;
  }
  const RunOptions& options = scan.options;
  print(console, messages::kInputName, options.input_name);
  // A clip copied without its playlist carries its dates in its own stream.
  Playlist playlist;
  FileIdentity input{0, 0};
  const bool read = is_stream_file(options.input_name)
                        ? read_stream(options.input_name, console, &playlist, &input)
                        : read_playlist(options.input_name, console, &playlist, &input);
  if (!read) {
    return kExitFailure;
  }
  const bool produced = produce_subtitles(options.output, playlist, input, console);
  return produced ? kExitSuccess : kExitFailure;
}

}  // namespace zelvok
