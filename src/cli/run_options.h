// What the user asked for on the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "folder/folder_run.h"
#include "subtitle/produce.h"

namespace zelvok {

struct RunOptions {
  std::string input_name;                // the last name given: empty when none was given
  std::vector<std::string> input_names;  // every name given, in order
  OutputPlan output;                     // what to write: -o, -s, -e, --shift, --format, --zone
  bool picks = false;                    // -s, -e or -o was given, which a folder run refuses
  FolderOptions folder;                  // --output-dir and --overwrite, for a folder run
};

}  // namespace zelvok
