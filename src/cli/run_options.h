// What the user asked for on the command line.
#pragma once

#include <string>

#include "subtitle/produce.h"

namespace zelvok {

struct RunOptions {
  std::string input_name;  // the playlist or clip; empty when none was given
  OutputPlan output;       // what to write: -o, -s, -e, --shift, --format, --zone
};

}  // namespace zelvok
