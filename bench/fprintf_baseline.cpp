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

#include "model/recording_stamp.h"
#include "playlist/validate.h"
#include "subtitle/subtitle_clock.h"  // timecode_at

namespace {

// Where the next entry of one file starts, and its number.
struct SubtitleClock {
  std::uint64_t start_ms = 0;
  unsigned long long number = 1;
};

using zelvok::RecordingStamp;
using zelvok::Timecode;

void put_time(std::FILE* file, std::uint64_t milliseconds) {
  const Timecode time = zelvok::timecode_at(milliseconds);
  (void)std::fprintf(file, "%02u:%02u:%02u,%03u", time.hour, time.minute, time.second,
                     time.millisecond);
}

void put_entry(std::FILE* file, SubtitleClock* clock, std::uint64_t length,
               const RecordingStamp& stamp) {
  (void)std::fprintf(file, "%llu\r\n", clock->number++);
  put_time(file, clock->start_ms);
  (void)std::fprintf(file, " --> ");
  put_time(file, clock->start_ms + length);
  (void)std::fprintf(file, "\r\n%04u/%02u/%02u %02u:%02u:%02u\r\n\r\n", stamp.year, stamp.month,
                     stamp.day, stamp.hour, stamp.minute, stamp.second);
  clock->start_ms += length;
}

struct Whole {
  std::FILE* file;
  SubtitleClock clock;
};

// Entries end where the recording's seconds end, as zelvok writes them.
void write_clip(Whole* whole, std::FILE* clip, std::uint64_t duration, std::uint64_t elapsed,
                RecordingStamp stamp) {
  SubtitleClock clip_clock;
  std::uint64_t piece = 1000 - elapsed % 1000;
  for (std::uint64_t left = duration; left > 0; piece = 1000) {
    const std::uint64_t length = left < piece ? left : piece;
    put_entry(whole->file, &whole->clock, length, stamp);
    put_entry(clip, &clip_clock, length, stamp);
    left -= length;
    zelvok::advance_stamp(&stamp);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    (void)std::fprintf(stderr, "usage: fprintf_baseline PLAYLIST\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  const zelvok::Validation validation = zelvok::validate_playlist(bytes);
  if (validation.fault != zelvok::PlaylistFault::kNone) {
    (void)std::fprintf(stderr, "fprintf_baseline: not a playlist it can write\n");
    return 1;
  }
  const zelvok::Playlist& playlist = validation.playlist;
  Whole whole{std::fopen("playlist.srt", "wb"), {}};
  for (const zelvok::PlayItem& item : playlist.play_items) {
    std::FILE* clip = std::fopen((item.clip_name + ".srt").c_str(), "wb");
    RecordingStamp stamp = zelvok::decode_stamp(playlist.scenes[item.scene]);
    zelvok::advance_stamp_by(&stamp, item.elapsed_ms / 1000);
    write_clip(&whole, clip, zelvok::duration_ms(item), item.elapsed_ms, stamp);
    (void)std::fclose(clip);
  }
  (void)std::fclose(whole.file);
  return 0;
}
