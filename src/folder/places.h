// Where a folder run's outputs go, and whether each is written: decided by
// the output's place and what this run wrote there, never by which file a
// clip is.
#pragma once

#include <map>
#include <set>
#include <string>

#include "folder/find_clips.h"

namespace zelvok {

// What the run does at an output's place.
enum class Place {
  kFree,     // nothing there: the output is written
  kReplace,  // an entry there that --overwrite replaces, if it is a regular file
  kThere,    // left as it is: an entry there, or this run's own file for the same clip
  kTaken,    // this run put another clip's file there: never replaced
};

// What the run knows of places.
struct PlaceBook {
  std::map<std::string, std::string> resolved;  // folders as the run names them, resolved
  std::map<std::string, std::string> made;      // each place this run wrote, and for which clip
  FolderListings listings;                      // of the folders the clips were found in
};

// A path as one key for each place, however it was spelled: its folder
// resolved (once a folder), its name as it is. A folder that is not there
// yet is kept as it is spelled.
std::string place_key(PlaceBook* book, const std::string& path);

// Whether the output `name` in `folder` is written for the clip `clip_key`
// (its place_key). `done` holds the clips this run wrote this kind of output
// for: a clip reached twice (named twice, or named and also inside a folder
// named) is written once. An entry there is replaced only with `overwrite`.
Place place_of(PlaceBook* book, const std::string& folder, const std::string& name,
               const std::string& clip_key, const std::set<std::string>& done, bool overwrite);

// Notes that this run wrote `target` for the clip `clip_key`.
void note_made(PlaceBook* book, const std::string& target, const std::string& clip_key);

}  // namespace zelvok
