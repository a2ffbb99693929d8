// The MKV and MP4 of a clip, made by ffmpeg started as a program: the
// clip's streams and its dates in one file, written whole or not at all.
#pragma once

#include <string>

#include "ffmpeg/ffmpeg_job.h"
#include "messages/console.h"

namespace zelvok {

// The ffmpeg to start: ZELVOK_FFMPEG when set, else the first on PATH;
// empty when there is none.
std::string find_ffmpeg();

// Makes the job's file whole or not at all: the cues go to temporary files,
// ffmpeg writes the file under another, made new beside `target` and moved
// into place when ffmpeg has succeeded; all are removed on every path. On a
// terminal a line shows how far it has come. On failure prints the message
// naming the file, then the last lines ffmpeg wrote; false.
bool make_with_ffmpeg(const std::string& ffmpeg, const FfmpegJob& job, const Console& console);

}  // namespace zelvok
