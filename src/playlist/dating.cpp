#include "playlist/dating.h"

#include <limits>

#include "playlist/layout.h"

namespace zelvok {
namespace {

// A PlayItem that no mark has named yet.
constexpr std::size_t kNoScene = std::numeric_limits<std::size_t>::max();

// Gives each PlayItem that a dated entry's mark names that entry. There is
// a mark for each entry, and those of dated entries are entry marks naming
// PlayItems in strictly increasing order.
bool mark_recording_starts(const std::vector<PlayListMark>& marks, const SceneTable& scenes,
                           std::vector<PlayItem>* items) {
  if (marks.size() != scenes.size()) {
    return false;
  }
  std::size_t lowest_next = 0;
  for (std::size_t k = 0; k < scenes.size(); ++k) {
    if (!is_dated(scenes[k])) {
      continue;
    }
    const PlayListMark& mark = marks[k];
    if (mark.type != layout::kEntryMark || mark.play_item >= items->size() ||
        mark.play_item < lowest_next) {
      return false;
    }
    (*items)[mark.play_item].scene = k;
    lowest_next = std::size_t{mark.play_item} + 1;
  }
  return true;
}

}  // namespace

void date_one_scene_each(const SceneTable& scenes, std::vector<PlayItem>* items) {
  std::size_t k = 0;
  for (PlayItem& item : *items) {
    while (k < scenes.size() && !is_dated(scenes[k])) {
      ++k;
    }
    item.scene = k++;
    item.elapsed_ms = 0;
  }
}

bool date_split_recordings(const std::vector<PlayListMark>& marks, const SceneTable& scenes,
                           std::vector<PlayItem>* items) {
  for (PlayItem& item : *items) {
    item.scene = kNoScene;
    item.elapsed_ms = 0;
  }
  if (!mark_recording_starts(marks, scenes, items)) {
    return false;
  }
  for (std::size_t i = 0; i < items->size(); ++i) {
    PlayItem& item = (*items)[i];
    if (item.scene != kNoScene) {
      continue;
    }
    if (i == 0 || (item.connection & layout::kConnectionMask) != layout::kContinuesRecording) {
      return false;
    }
    const PlayItem& before = (*items)[i - 1];
    item.scene = before.scene;
    item.elapsed_ms = before.elapsed_ms + duration_ms(before);
    item.first_cue_ms = 1000 - item.elapsed_ms % 1000;  // to the recording's next whole second
  }
  return true;
}

}  // namespace zelvok
