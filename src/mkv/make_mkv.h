// A clip and its dates in one file: NAME.mkv, the clip's video and sound
// copied packet for packet and the subtitles as a text track, made by ffmpeg
// started as a program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "messages/console.h"
#include "subtitle/srt_entry.h"

namespace zelvok {

struct MkvJob {
  std::string clip;               // the clip's stream file
  std::string_view cues;          // its subtitle file's text, as this run made it
  SubtitleForm form;              // the text's form
  std::string target;             // the MKV to make, beside the subtitle file
  std::uint64_t first_shown_pts;  // where the subtitles start on the clip's clock (90 kHz)
  bool replace = false;           // a regular file at `target` may be replaced
};

// The ffmpeg to start: ZELVOK_FFMPEG when set, else the first on PATH;
// empty when there is none.
std::string find_ffmpeg();

// Makes the MKV whole or not at all: the cues go to a temporary file, ffmpeg
// writes the MKV under another, made new beside `target` and moved into
// place when ffmpeg has succeeded; both are removed on every path. On a
// terminal a line shows how far it has come. On failure prints the message
// naming the MKV, then the last lines ffmpeg wrote; false.
bool make_mkv(const std::string& ffmpeg, const MkvJob& job, const Console& console);

}  // namespace zelvok
