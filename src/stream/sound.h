// A clip's sound tracks: which streams of the program map carry sound, and
// how many channels a track has, read from its first frame.
#pragma once

#include <cstdint>

#include "model/byte_reader.h"

namespace zelvok {

// True when a program map's `stream_type` is one of sound: MPEG audio, AAC,
// LPCM, AC-3, E-AC-3, DTS and the like.
bool is_sound_type(std::uint8_t stream_type);

// The channels the first frame in `es` (the bytes of a sound PES after its
// header) has, for a stream of `stream_type`: LPCM's header, or the header
// of the first AC-3, E-AC-3, AAC (ADTS) or MPEG audio frame found. 0 when
// it does not say.
unsigned sound_channels(std::uint8_t stream_type, ByteSpan es);

}  // namespace zelvok
