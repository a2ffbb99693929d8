#include "playlist/dating.h"

#include <limits>

#include "playlist/layout.h"

namespace zelvok {
namespace {

// A PlayItem that no mark has named yet.
constexpr std::size_t kNoScene = std::numeric_limits<std::size_t>::max();

// Gives each PlayItem that a dated entry's mark names that entry. The marks
// must be entry marks naming PlayItems in strictly increasing order.
bool read_recording_starts(ByteSpan bytes, std::uint64_t marks, const SceneTable& scenes,
                           std::vector<PlayItem>* items) {
  std::uint16_t mark_count = 0;
  if (!read_u16(bytes, marks + layout::kMarkCount, &mark_count) || mark_count != scenes.size() ||
      !has_bytes(bytes, marks + layout::kFirstMark, layout::kMarkSize * mark_count)) {
    return false;
  }
  std::size_t lowest_next = 0;
  for (std::size_t k = 0; k < scenes.size(); ++k) {
    if (!is_dated(scenes[k])) {
      continue;
    }
    const std::uint64_t mark = marks + layout::kFirstMark + layout::kMarkSize * k;
    std::uint8_t type = 0;
    std::uint16_t index = 0;
    if (!read_u8(bytes, mark + layout::kMarkType, &type) ||
        !read_u16(bytes, mark + layout::kMarkPlayItem, &index) || type != layout::kEntryMark ||
        index >= items->size() || index < lowest_next) {
      return false;
    }
    (*items)[index].scene = k;
    lowest_next = std::size_t{index} + 1;
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

bool date_split_recordings(ByteSpan bytes, std::uint64_t marks, const SceneTable& scenes,
                           std::vector<PlayItem>* items) {
  for (PlayItem& item : *items) {
    item.scene = kNoScene;
    item.elapsed_ms = 0;
  }
  if (!read_recording_starts(bytes, marks, scenes, items)) {
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
