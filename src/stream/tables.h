// The program tables of a transport stream: the PAT names the program map of
// each program, and the program map the elementary streams that carry it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/byte_reader.h"

namespace zelvok {

// One elementary stream of a program map.
struct ProgramStream {
  std::uint16_t pid;
  std::uint8_t type;  // stream_type: 0x1B for H.264, 0x81 for AC-3, ...
};

// The elementary streams of the program map of the first program the PAT
// names (program 0 names the network PID and is passed over), in its order.
// The tables may come in any order among `bytes`, a stream of
// `packet_size`-byte packets; a table must fit the packet it begins in.
// Empty when there is none.
std::vector<ProgramStream> find_program_streams(ByteSpan bytes, std::size_t packet_size);

// The PID of the first H.264 stream that find_program_streams lists; false
// when there is none.
bool find_video_pid(ByteSpan bytes, std::size_t packet_size, std::uint16_t* pid);

}  // namespace zelvok
