// A clip's timeline from the frames of its stream: where it starts and ends,
// and where in its first second the camera's clock ticked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/clip_media.h"
#include "model/playlist.h"
#include "stream/frames.h"

namespace zelvok {

// The clip that `head` (the frames at the head of the stream, in file order)
// and `tail` (those at its end) describe, as a playlist of one PlayItem whose
// files are named after `file_name`, the stream file's base name. Every PTS
// is read as the time nearest to the head's first, so that a clip across the
// wrap of the 33-bit clock keeps its length. In milliseconds rounded down
// (PTS / 90):
// - zero is the smallest time of the head, and the clip lasts up to the
//   greatest time of head and tail plus one frame, the smallest step between
//   two distinct times of the head;
// - the earliest dated frame dates it, and its first cue ends where the
//   earliest frame with another date begins (after 1000 ms when none has).
// False when no frame is dated.
bool clip_from_frames(const std::vector<Frame>& head, const std::vector<Frame>& tail,
                      const std::string& file_name, Playlist* playlist);

// Where the first frame shown of `head` (frames in file order, not empty)
// stands on the clip's clock, as clip_from_frames takes it, and one frame's
// presentation (0 when the head has fewer than two distinct times); 90 kHz.
ClipMedia head_timing(const std::vector<Frame>& head);

// The name of a stream file's subtitles before ".srt": its base name without
// its last extension; a leading dot starts no extension.
std::string clip_name_of(const std::string& file_name);

}  // namespace zelvok
