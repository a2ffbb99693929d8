// Turning the argument list into RunOptions.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cli/run_options.h"

namespace zelvok {

enum class ScanOutcome {
  kRun,            // options complete: go on with the playlist
  kHelp,           // -h: show the help text, and fail as the help option always has
  kLongHelp,       // --help: show the help text, and succeed
  kVersion,        // --version: show the program's version
  kMissingValue,   // -s, -e, -o or a long option as the last argument, with no value attached
  kInvalidOption,  // an option letter other than h, s, e and o, or an unknown long option
  kBadShift,       // --shift with a value that is not an offset
  kBadFormat,      // --format with a text that is not a date form
  kBadZone,        // --zone with a value that is not a UTC offset
  kNoFileName,     // no playlist named
};

struct ScanResult {
  ScanOutcome outcome;
  RunOptions options;
};

// Scans the arguments after the program name.
ScanResult scan_arguments(std::span<const std::string> arguments);

// The integer a decimal text stands for: leading blanks skipped, one sign,
// digits up to the first other character (none gives 0), and values beyond
// the 32-bit range held at its nearest limit.
std::int32_t decimal_value(std::string_view text);

// The seconds an offset such as "+1:00", "-9:00" or "0:00:30" stands for: an
// optional sign, one to six digits of hours, then minutes and optionally
// seconds of two digits each, 00 to 59. False when the text is anything else.
bool shift_value(std::string_view text, std::int64_t* seconds);

// The minutes east of UTC that "+9:00", "-05:00" or "5:30" stands for: an
// optional sign, hours of 0 to 23 in one or two digits, ':' and two digits
// of minutes, 00 to 59. False when the text is anything else.
bool zone_value(std::string_view text, Zone* zone);

}  // namespace zelvok
