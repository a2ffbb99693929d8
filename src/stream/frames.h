// The video frames of a transport stream: each PES of the video PID is one
// frame, presented at its PTS and dated by the MDPM tags of its SEI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/byte_reader.h"
#include "stream/mdpm.h"

namespace zelvok {

struct Frame {
  std::uint64_t pts;  // presentation time, 90 kHz, 33 bits
  FrameDate date;     // what its MDPM tags say, when read
};

// The PTS of a PES and the elementary stream bytes after its header (as far
// as they go); false when it is no PES or has no PTS.
bool read_pes(ByteSpan pes, std::uint64_t* pts, ByteSpan* es);

// The frames on `pid` among the packets of `bytes` (a stream of
// `packet_size`-byte packets cut anywhere), in file order. A PES begins at a
// packet with unit_start set; one cut by the end of `bytes` counts with what
// they hold of it, and one without a PTS is no frame. The dates are read
// only when `with_dates` is set.
std::vector<Frame> read_frames(ByteSpan bytes, std::size_t packet_size, std::uint16_t pid,
                               bool with_dates);

}  // namespace zelvok
