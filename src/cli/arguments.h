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
  kHelp,           // -h: show the help text
  kMissingValue,   // -s, -e or -o as the last argument, with no value attached
  kInvalidOption,  // an option letter other than h, s, e and o
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

}  // namespace zelvok
