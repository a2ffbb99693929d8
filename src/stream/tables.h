// The program tables of a transport stream: the PAT names the program map of
// each program, and the program map the elementary streams that carry it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/byte_reader.h"

namespace zelvok {

// The PID of the first H.264 stream in the program map of the first program
// the PAT names (program 0 names the network PID and is passed over). The
// tables may come in any order among `bytes`, a stream of `packet_size`-byte
// packets; a table must fit the packet it begins in. False when there is none.
bool find_video_pid(ByteSpan bytes, std::size_t packet_size, std::uint16_t* pid);

}  // namespace zelvok
