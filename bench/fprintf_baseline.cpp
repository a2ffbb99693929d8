// fprintf_baseline PLAYLIST
//
// Writes the same subtitle files as zelvok does for PLAYLIST with every
// PlayItem selected, but the usual way: one fprintf per line on stdio
// streams. The benchmark measures zelvok against it; it is no part of the
// program.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "playlist/validate.h"
#include "subtitle/recording_stamp.h"
#include "subtitle/subtitle_clock.h"

namespace {

using zelvok::RecordingStamp;
using zelvok::SubtitleClock;
using zelvok::Timecode;

void put_entry(std::FILE* file, unsigned long long number, const Timecode& start,
               const Timecode& end, const RecordingStamp& stamp) {
  std::fprintf(file, "%llu\r\n", number);
  std::fprintf(file, "%02u:%02u:%02u,%03u --> %02u:%02u:%02u,%03u\r\n", start.hour, start.minute,
               start.second, start.millisecond, end.hour, end.minute, end.second, end.millisecond);
  std::fprintf(file, "%04u/%02u/%02u %02u:%02u:%02u\r\n\r\n", stamp.year, stamp.month, stamp.day,
               stamp.hour, stamp.minute, stamp.second);
}

struct Whole {
  std::FILE* file;
  SubtitleClock clock;
  unsigned long long number;
};

void write_clip(Whole* whole, std::FILE* clip, std::uint32_t duration, RecordingStamp stamp) {
  SubtitleClock clip_clock = zelvok::kFirstEntryClock;
  unsigned long long clip_number = 1;
  for (std::uint32_t second = 0; second < duration / 1000; ++second) {
    put_entry(whole->file, whole->number++, whole->clock.start, whole->clock.end, stamp);
    put_entry(clip, clip_number++, clip_clock.start, clip_clock.end, stamp);
    zelvok::advance_clock(&whole->clock);
    zelvok::advance_clock(&clip_clock);
    zelvok::advance_stamp(&stamp);
  }
  if (duration % 1000 != 0) {
    const Timecode end = zelvok::add_milliseconds(whole->clock.start, duration % 1000);
    clip_clock.end = clip_clock.start;
    clip_clock.end.millisecond = static_cast<std::uint16_t>(duration % 1000);
    put_entry(whole->file, whole->number++, whole->clock.start, end, stamp);
    put_entry(clip, clip_number, clip_clock.start, clip_clock.end, stamp);
    whole->clock.start = end;
    whole->clock.end = end;
    zelvok::advance_second(&whole->clock.end);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fprintf_baseline PLAYLIST\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const zelvok::Validation validation = zelvok::validate_playlist(bytes);
  if (validation.fault != zelvok::PlaylistFault::kNone) {
    std::fprintf(stderr, "fprintf_baseline: not a playlist it can write\n");
    return 1;
  }
  const zelvok::Playlist& playlist = validation.playlist;
  Whole whole{std::fopen("playlist.srt", "wb"), zelvok::kFirstEntryClock, 1};
  std::size_t scene = 0;
  for (const zelvok::PlayItem& item : playlist.play_items) {
    std::FILE* clip = std::fopen((std::string(zelvok::clip_name(item)) + ".srt").c_str(), "wb");
    while (scene < playlist.scenes.size() && !zelvok::is_dated(playlist.scenes[scene])) {
      ++scene;
    }
    if (scene < playlist.scenes.size()) {
      write_clip(&whole, clip, zelvok::duration_ms(item),
                 zelvok::decode_stamp(playlist.scenes[scene++]));
    }
    std::fclose(clip);
  }
  std::fclose(whole.file);
  return 0;
}
