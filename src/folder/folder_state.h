// What a folder run holds while it runs, shared by the run and by the steps
// that make each clip's outputs: the subtitle file and the GPX
// (clip_outputs), the MKV and the MP4 (container_output).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ffmpeg/ffmpeg_job.h"
#include "folder/card_playlists.h"
#include "folder/find_clips.h"
#include "folder/folder_run.h"
#include "folder/places.h"
#include "model/camera_track.h"
#include "model/clip_media.h"
#include "model/playlist.h"

namespace zelvok {

// The clips of the run, as its summary counts them.
struct Counts {
  std::uint64_t found = 0;
  std::uint64_t written = 0;
  std::uint64_t from_playlists = 0;
  std::uint64_t from_streams = 0;
  std::uint64_t there = 0;
  std::uint64_t failed = 0;
};

// The files of one container, over the run.
struct ContainerCounts {
  std::uint64_t made = 0;
  std::uint64_t there = 0;
  std::uint64_t failed = 0;
};

inline constexpr std::array<Container, kContainers> kAllContainers = {Container::kMkv,
                                                                      Container::kMp4};

struct FolderRun {
  const OutputPlan& plan;
  const FolderOptions& options;
  const Console& console;
  std::string ffmpeg;  // with --mkv or --mp4
  CardPlaylists cards;
  PlaceBook places;
  std::set<std::string> dated;    // the clips whose subtitle file this run wrote
  std::set<std::string> tracked;  // the clips whose GPX file this run wrote
  // Of each container, the clips whose file this run made.
  std::array<std::set<std::string>, kContainers> muxed;
  Counts counts;
  std::array<ContainerCounts, kContainers> container_counts;
  bool told_no_zone = false;        // the line that no creation time is written, once a run
  std::vector<std::string> failed;  // the clips that failed, as their lines show them
};

// A clip dated, with its subtitle file's text.
struct DatedClip {
  Playlist one;  // the clip as a playlist of one PlayItem
  bool from_playlist = false;
  CameraTrack track;                 // with --camera, --gps or --gpx: what its frames recorded
  std::int64_t track_offset_ms = 0;  // where the clip's file starts on the track's time
  std::string text;
  std::uint64_t cues = 0;
  // For its MKV and MP4, read once: what its stream holds besides its dates,
  // and its cues on its own clock, to be drawn in.
  std::optional<ClipMedia> media;
  std::string drawn;
};

inline std::size_t index_of(Container container) {
  return container == Container::kMkv ? 0 : 1;
}

// Whether the run makes the container's file of each clip: --mkv, --mp4,
// and --burn alone, which means the MP4.
inline bool wants(const FolderOptions& options, Container container) {
  return container == Container::kMkv ? options.mkv : options.mp4 || (options.burn && !options.mkv);
}

// The clip's cues as `plan` lays them out, with the camera's lines under
// each date when asked; how many there are.
std::uint64_t render_cues(const FolderRun& run, const OutputPlan& plan, const DatedClip& dated,
                          std::string* text);

// An output's place made ready to write: its folder made below
// --output-dir; false when it cannot be, or when the entry --overwrite would
// replace is the clip itself.
bool ready_place(const FolderRun& run, const FoundClip& clip, const std::string& target,
                 Place place);

// Notes an output this run wrote for the clip, at its place and in `done`.
void record_made(FolderRun* run, const FoundClip& clip, const std::string& target,
                 std::set<std::string>* done);

// The subtitle file of a clip dated, unless it is to be left: written,
// refused or failed, with its lines. False when the clip fails.
bool run_subtitle(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
                  const DatedClip& dated);

// The clip's GPS track beside its subtitle file, when it has a valid fix:
// written whole, or left; a clip with none gets a line, and that is no
// failure.
bool run_gpx(FolderRun* run, const FoundClip& clip, const std::string& target, Place place,
             const DatedClip& dated);

// A container's file of a clip dated: left, refused or made, with its line.
bool run_container(FolderRun* run, const FoundClip& clip, Container container,
                   const std::string& target, Place place, DatedClip* dated);

}  // namespace zelvok
