// What a clip's stream holds besides its dates, read from its head: where
// its picture starts, the picture's shape and its sound tracks.
#pragma once

#include <string>

#include "model/byte_reader.h"
#include "model/clip_media.h"
#include "stream/read_stream.h"

namespace zelvok {

// Reads the named clip's head into `media`. Prints nothing. kNoDate stands
// for a stream with no video frame.
StreamFault read_clip_media(const std::string& name, ClipMedia* media);

// The same from `head`, the first bytes of a stream; false when it has no
// video frame.
bool media_from_head(ByteSpan head, ClipMedia* media);

}  // namespace zelvok
