// Which scene entry dates each PlayItem, and how far into that scene's
// recording the PlayItem begins: decided once, before anything is written.
#pragma once

#include <cstdint>
#include <vector>

#include "model/playlist.h"
#include "playlist/image.h"

namespace zelvok {

// A playlist with one dated scene entry per PlayItem: the i-th dated entry
// dates PlayItem i, and every PlayItem begins a recording of its own. The
// table must hold as many dated entries as there are PlayItems.
void date_one_scene_each(const SceneTable& scenes, std::vector<PlayItem>* items);

// A camcorder that splits a long recording into clips keeps one dated scene
// entry per recording. The PlayListMark that belongs to each dated entry (mark
// k to entry k) names the PlayItem where its recording begins; every PlayItem
// that no such mark names continues the recording of the one before it.
// False when the marks do not describe the PlayItems so.
bool date_split_recordings(const std::vector<PlayListMark>& marks, const SceneTable& scenes,
                           std::vector<PlayItem>* items);

}  // namespace zelvok
