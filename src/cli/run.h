// One run of the program, from the argument list to the exit status.
#pragma once

#include <span>
#include <string>

#include "cli/run_options.h"
#include "messages/console.h"
#include "subtitle/produce.h"

namespace zelvok {

// The status after a complete run.
inline constexpr int kExitSuccess = 0;
// The status after the help text and after every failure (255 as a POSIX
// shell shows it).
inline constexpr int kExitFailure = -1;

// Runs the whole job on the arguments after the program name.
int run(std::span<const std::string> arguments, const Console& console);

}  // namespace zelvok
