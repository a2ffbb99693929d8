#include "playlist/validate.h"

#include <algorithm>

#include "playlist/dating.h"

namespace zelvok {
namespace {

struct Addresses {
  std::uint64_t playlist;        // P
  std::uint64_t marks;           // M
  std::uint64_t extension_data;  // E
  std::uint64_t plex_block;      // X
};

bool read_header(ByteSpan bytes, Addresses* addresses) {
  std::uint32_t playlist = 0;
  std::uint32_t marks = 0;
  std::uint32_t extension_data = 0;
  if (!has_bytes(bytes, 0, layout::kHeaderSize) ||
      !read_u32(bytes, layout::kPlayListAddress, &playlist) ||
      !read_u32(bytes, layout::kPlayListMarkAddress, &marks) ||
      !read_u32(bytes, layout::kExtensionDataAddress, &extension_data)) {
    return false;
  }
  addresses->playlist = playlist;
  addresses->marks = marks;
  addresses->extension_data = extension_data;
  return true;
}

// The extension data is the last thing in the file and holds exactly one
// entry, the camcorder's scene data.
bool read_extension_data(ByteSpan bytes, Addresses* addresses) {
  const std::uint64_t start = addresses->extension_data;
  std::uint32_t length = 0;
  std::uint32_t data_block = 0;
  std::uint8_t entry_count = 0;
  std::uint16_t id1 = 0;
  std::uint16_t id2 = 0;
  if (!has_bytes(bytes, start, layout::kExtensionUsedSize) ||
      !read_u32(bytes, start + layout::kExtensionLength, &length) ||
      !read_u32(bytes, start + layout::kDataBlockAddress, &data_block) ||
      !read_u8(bytes, start + layout::kEntryCount, &entry_count) ||
      !read_u16(bytes, start + layout::kFirstEntryId1, &id1) ||
      !read_u16(bytes, start + layout::kFirstEntryId2, &id2)) {
    return false;
  }
  addresses->plex_block = start + data_block;
  return start + length + layout::kExtensionLengthSize == bytes.size() &&
         entry_count == layout::kExpectedEntryCount && id1 == layout::kPlexId1 &&
         id2 == layout::kPlexId2;
}

bool read_play_item_count(ByteSpan bytes, std::uint64_t playlist, std::uint16_t* count) {
  return has_bytes(bytes, playlist, layout::kFirstPlayItem) &&
         read_u16(bytes, playlist + layout::kPlayItemCount, count);
}

bool check_plex_block(ByteSpan bytes, std::uint64_t plex_block) {
  std::uint32_t block_length = 0;
  return has_bytes(bytes, plex_block, layout::kFirstScene) &&
         has_text(bytes, plex_block, layout::kPlexMagic) &&
         read_u32(bytes, plex_block + layout::kPlexBlockLength, &block_length) &&
         block_length == layout::kExpectedPlexBlockLength;
}

bool read_scene_entry(ByteSpan bytes, std::uint64_t at, SceneEntry* entry) {
  return read_u8(bytes, at + layout::kZone, &entry->zone) &&
         read_u16(bytes, at + layout::kYear, &entry->year) &&
         read_u8(bytes, at + layout::kMonth, &entry->month) &&
         read_u8(bytes, at + layout::kDay, &entry->day) &&
         read_u8(bytes, at + layout::kHour, &entry->hour) &&
         read_u8(bytes, at + layout::kMinute, &entry->minute) &&
         read_u8(bytes, at + layout::kSecond, &entry->second);
}

bool read_scene_table(ByteSpan bytes, std::uint64_t plex_block, SceneTable* scenes) {
  std::uint16_t table_size = 0;
  std::uint16_t count = 0;
  if (!read_u16(bytes, plex_block + layout::kSceneTableSize, &table_size) ||
      !read_u16(bytes, plex_block + layout::kSceneCount, &count)) {
    return false;
  }
  const std::uint64_t first = plex_block + layout::kFirstScene;
  const std::uint64_t entries_size = layout::kSceneEntrySize * count;
  if (table_size != entries_size + layout::kSceneTableSizeExtra ||
      !has_bytes(bytes, first, entries_size)) {
    return false;
  }
  scenes->resize(count);
  for (std::uint64_t k = 0; k < count; ++k) {
    if (!read_scene_entry(bytes, first + k * layout::kSceneEntrySize, &(*scenes)[k])) {
      return false;
    }
  }
  return true;
}

bool is_safe_name_byte(char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
         (byte >= 'a' && byte <= 'z');
}

// The clip name becomes a file name, so it must be a bare, harmless one.
bool has_safe_name(const PlayItem& item) {
  return std::all_of(item.clip_name.begin(), item.clip_name.end(), is_safe_name_byte);
}

// Reads the record at `*at` and moves `*at` to the next one.
bool read_play_item(ByteSpan bytes, std::uint64_t* at, PlayItem* item) {
  std::uint16_t length = 0;
  ByteSpan name;
  if (!has_bytes(bytes, *at, layout::kRecordUsedSize) ||
      !read_u16(bytes, *at + layout::kRecordLength, &length) ||
      !read_span(bytes, *at + layout::kClipName, layout::kClipNameSize, &name) ||
      !read_u8(bytes, *at + layout::kConnection, &item->connection) ||
      !read_u32(bytes, *at + layout::kInTime, &item->in_time) ||
      !read_u32(bytes, *at + layout::kOutTime, &item->out_time)) {
    return false;
  }
  item->clip_name.assign(name.begin(), name.end());
  item->stream_file = item->clip_name + std::string(layout::kStreamFileExtension);
  *at += layout::kRecordLengthSize + length;
  return true;
}

// The PlayListMark at `marks`: a count, then the marks, all inside the file.
bool read_marks(ByteSpan bytes, std::uint64_t marks, std::vector<PlayListMark>* read) {
  std::uint16_t count = 0;
  if (!read_u16(bytes, marks + layout::kMarkCount, &count) ||
      !has_bytes(bytes, marks + layout::kFirstMark, layout::kMarkSize * count)) {
    return false;
  }
  read->resize(count);
  for (std::uint64_t k = 0; k < count; ++k) {
    const std::uint64_t mark = marks + layout::kFirstMark + layout::kMarkSize * k;
    if (!read_u8(bytes, mark + layout::kMarkType, &(*read)[k].type) ||
        !read_u16(bytes, mark + layout::kMarkPlayItem, &(*read)[k].play_item)) {
      return false;
    }
  }
  return true;
}

bool read_play_items(ByteSpan bytes, std::uint64_t playlist, std::uint16_t count,
                     std::vector<PlayItem>* items) {
  items->resize(count);
  std::uint64_t at = playlist + layout::kFirstPlayItem;
  return std::all_of(items->begin(), items->end(),
                     [&](PlayItem& item) { return read_play_item(bytes, &at, &item); });
}

// Reads the PlayItems and decides which scene dates each. A table of one
// dated entry per PlayItem is read as it stands; any other must describe
// recordings split across clips, or the counts simply differ.
PlaylistFault read_dated_play_items(ByteSpan bytes, const Addresses& addresses, std::uint16_t count,
                                    Playlist* playlist) {
  const bool in_file = read_play_items(bytes, addresses.playlist, count, &playlist->play_items);
  const auto dated = std::count_if(playlist->scenes.begin(), playlist->scenes.end(), is_dated);
  if (dated == count) {
    if (!in_file) {
      return PlaylistFault::kNotPlaylist;
    }
    date_one_scene_each(playlist->scenes, &playlist->play_items);
  } else {
    std::vector<PlayListMark> marks;
    if (!in_file || !read_marks(bytes, addresses.marks, &marks) ||
        !date_split_recordings(marks, playlist->scenes, &playlist->play_items)) {
      return PlaylistFault::kSceneCountMismatch;
    }
  }
  const bool safe =
      std::all_of(playlist->play_items.begin(), playlist->play_items.end(), has_safe_name);
  return safe ? PlaylistFault::kNone : PlaylistFault::kNotPlaylist;
}

}  // namespace

bool has_magic(ByteSpan bytes) {
  return has_text(bytes, 0, layout::kMagic);
}

Validation validate_playlist(ByteSpan bytes) {
  Validation result;
  Addresses addresses{};
  if (!has_magic(bytes) || !read_header(bytes, &addresses)) {
    result.fault = PlaylistFault::kNotPlaylist;
    return result;
  }
  if (!read_extension_data(bytes, &addresses)) {
    result.fault = PlaylistFault::kBadExtensionData;
    return result;
  }
  if (!read_play_item_count(bytes, addresses.playlist, &result.play_item_count)) {
    result.fault = PlaylistFault::kNotPlaylist;
    return result;
  }
  result.count_known = true;
  Playlist& playlist = result.playlist;
  if (!check_plex_block(bytes, addresses.plex_block)) {
    result.fault = PlaylistFault::kBadPlexBlock;
  } else if (!read_scene_table(bytes, addresses.plex_block, &playlist.scenes)) {
    result.fault = PlaylistFault::kBadSceneTableSize;
  } else {
    result.fault = read_dated_play_items(bytes, addresses, result.play_item_count, &playlist);
  }
  return result;
}

}  // namespace zelvok
