// Finding the clips of a folder run: every clip below the folders given, and
// the clips named themselves, in the order they are dated.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/folders.h"

namespace zelvok {

struct FoundClip {
  std::string path;    // as the console shows it and as it is opened: "card/STREAM/00000.MTS"
  std::string folder;  // the folder it was found in, where its subtitle goes: "card/STREAM"
  std::string below;   // that folder below the folder given, "/"-joined: "STREAM"; "" at the top
  std::string name;    // its own name: "00000.MTS"
  bool named = false;  // named on the command line itself, not found in a folder
  bool unreadable = false;  // not a clip: a folder whose names could not be read (`path`)
};

// True when `name` ends, in any letter case, in ".mts" or ".m2ts".
bool has_clip_extension(const std::string& name);

// What the walk read of each folder that holds clips, by the folder's path
// as the clips show it: a run learns from it what is beside each clip
// without looking at each name again.
using FolderListings = std::map<std::string, std::vector<FolderEntry>>;

// The clips below `root`, depth first, the names of each folder in byte
// order, a sub-folder's clips where its name falls among its siblings. Names
// that begin with "." are passed over; links are followed to clips, never
// into folders. A folder that cannot be read stands where its clips would.
// Appends to `clips`, and the listing of each folder with clips to
// `listings`.
void find_clips(const std::string& root, std::vector<FoundClip>* clips, FolderListings* listings);

// A clip named on the command line, standing for itself.
FoundClip named_clip(const std::string& path);

}  // namespace zelvok
