// A folder run: every clip below the folders given (and the clips named),
// each dated from its card's playlist or its own stream, its subtitle file
// written beside it; a line for each, then the counts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "messages/console.h"
#include "subtitle/produce.h"

namespace zelvok {

struct FolderOptions {
  std::optional<std::string> output_dir;  // --output-dir: the files go below it
  bool overwrite = false;                 // --overwrite: regular files there are replaced
  bool mkv = false;                       // --mkv: each clip dated also gets NAME.mkv
  bool mp4 = false;                       // --mp4: each clip dated also gets NAME.mp4
  bool burn = false;                      // --burn: the dates drawn into their pictures
  bool camera = false;                    // --camera: the camera's settings under each date
  bool gps = false;                       // --gps: its position under each date
  bool gpx = false;                       // --gpx: each clip's GPS track as NAME.gpx
};

// A name of a folder run, as the command line's decision found it.
struct FolderRunName {
  std::string name;
  bool folder;  // a folder, whose clips are found below it; else a clip named itself
};

// Dates the clips of `names`, in order; the name lines were printed. True
// when no clip failed.
bool run_folders(const std::vector<FolderRunName>& names, const OutputPlan& plan,
                 const FolderOptions& options, const Console& console);

}  // namespace zelvok
