// A file ffmpeg makes of a clip and its dates: an MKV or an MP4, its picture
// copied or re-encoded with the dates drawn in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "messages/console.h"
#include "model/clip_media.h"
#include "model/recording_stamp.h"
#include "subtitle/srt_entry.h"

namespace zelvok {

enum class Container {
  kMkv,  // NAME.mkv: everything copied, the dates as a SubRip track
  kMp4,  // NAME.mp4: the sound as AAC, the dates as a timed-text track
};

inline constexpr std::size_t kContainers = 2;

struct FfmpegJob {
  Container container = Container::kMkv;
  std::string clip;                           // the clip's stream file
  ClipMedia media;                            // what its stream holds besides its dates
  std::string_view cues;                      // its subtitle file's text, as this run made it
  SubtitleForm form = SubtitleForm::kSubRip;  // the text's form
  // Empty: the picture is copied. Else the cues in SubRip on the clip's own
  // clock (from its first frame shown on), drawn into a re-encoded picture.
  std::string_view drawn_cues;
  std::uint64_t frames = 0;  // the frames expected, for the progress of a re-encoding
  // The instant the first frame was filmed, where the camera recorded its
  // zone: the file's creation time.
  std::optional<RecordedAt> created;
  std::string target;    // the file to make, beside the subtitle file
  bool replace = false;  // a regular file at `target` may be replaced
};

// The lines a folder run prints of each container's files.
struct ContainerLines {
  std::string_view extension;  // ".mkv"
  const Message& made;
  const Message& there;
  const Message& place_taken;
  const Message& failed;  // then ffmpeg's last lines
  const Message& progress;
  const Message& summary;
};

const ContainerLines& container_lines(Container container);

}  // namespace zelvok
