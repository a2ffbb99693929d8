// The stream reader and the walk on arbitrary bytes, in memory: a clip whose
// playlist is gone, read from its head and its tail as the program reads a
// file (and read for its picture and sound, as for its MKV and MP4), then
// written with the options the input asks for. The clip's file
// and the whole-playlist file must agree, as they do for any playlist of one
// PlayItem.
//
// The input is laid out as fuzz/fuzz_input.h says, with a stream (of either
// packet size) in place of the playlist.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/arguments.h"
#include "cli/run.h"
#include "fuzz/fuzz_input.h"
#include "gpx/gpx_text.h"
#include "stream/read_camera_track.h"
#include "stream/read_clip_media.h"
#include "stream/read_stream.h"
#include "stream/transport.h"
#include "subtitle/camera_lines.h"
#include "subtitle/produce.h"

namespace {

// The longest clip a stream can describe: its times lie within half the
// 33-bit clock on either side of its first frame's.
constexpr std::uint64_t kMostMilliseconds = (std::uint64_t{1} << 33) / 90 + 1;

// The clip's camera data, read from a file as --camera reads it, and every
// state it holds shown as a cue shows it.
void read_camera_data(const zelvok::fuzz::FuzzInput& input) {
  zelvok::CameraTrack track;
  (void)zelvok::fuzz::scratch_folder();  // the current folder from here on
  if (!zelvok::fuzz::write_input(input.playlist) ||
      zelvok::read_camera_track(zelvok::fuzz::kInputName, &track) != zelvok::StreamFault::kNone) {
    return;
  }
  for (const zelvok::CameraState& state : track.states) {
    (void)zelvok::camera_line(state.settings);
    if (state.fix) {
      (void)zelvok::gps_line(*state.fix);
    }
  }
  if (!track.points.empty()) {
    (void)zelvok::gpx_text("clip.MTS", track.points);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zelvok::fuzz::FuzzInput input = zelvok::fuzz::split_input(data, size);
  read_camera_data(input);
  const zelvok::ByteSpan stream = input.playlist;
  // The tail begins on a packet boundary in the stream's second half.
  const std::size_t packet_size = zelvok::stream_packet_size(stream);
  const std::size_t tail_at =
      packet_size == 0 ? stream.size() : stream.size() / 2 / packet_size * packet_size;
  zelvok::ClipMedia media;
  const bool has_media = zelvok::media_from_head(stream, &media);
  zelvok::Playlist playlist;
  if (!zelvok::clip_from_stream(stream, stream.subspan(tail_at), "clip.MTS", &playlist)) {
    return 0;
  }
  // What ffmpeg is told of the clip starts where its subtitles do.
  if (!has_media || media.first_shown_pts != playlist.play_items[0].first_shown_pts) {
    (void)std::fprintf(stderr, "zelvok fuzz: the clip's media and its dates start apart\n");
    std::abort();
  }
  if (playlist.play_items.size() != 1 || playlist.scenes.size() != 1 ||
      playlist.play_items[0].scene != 0) {
    (void)std::fprintf(stderr, "zelvok fuzz: a stream's clip is not one dated PlayItem\n");
    std::abort();
  }
  if (zelvok::duration_ms(playlist.play_items[0]) > kMostMilliseconds) {
    (void)std::fprintf(stderr, "zelvok fuzz: a clip longer than its clock can tell\n");
    std::abort();
  }
  std::vector<std::string> arguments = input.arguments;
  arguments.emplace_back("clip.MTS");
  zelvok::OutputPlan plan = zelvok::scan_arguments(arguments).options.output;
  plan.whole_name = "playlist.srt";
  plan.first = 0;
  plan.last = 0;
  zelvok::MemoryFiles files;
  if (zelvok::produce_subtitles_in_memory(plan, playlist, zelvok::fuzz::quiet_console(), &files) &&
      files["clip.srt"] != files["playlist.srt"]) {
    (void)std::fprintf(stderr, "zelvok fuzz: the clip's file and the whole file differ\n");
    std::abort();
  }
  return 0;
}
