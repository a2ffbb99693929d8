// The shape of an H.264 stream's picture, from its sequence parameter set.
#pragma once

#include "model/byte_reader.h"
#include "model/clip_media.h"

namespace zelvok {

// Reads the first sequence parameter set among the NAL units of `es`, an
// H.264 byte stream, into `picture`. False when there is none, or when it
// ends before its fields do or describes no picture.
bool read_picture(ByteSpan es, Picture* picture);

}  // namespace zelvok
