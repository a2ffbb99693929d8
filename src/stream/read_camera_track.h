// The camera's data code over a whole clip: the stream is read once, front
// to back in large blocks, and only the start of each video frame is parsed,
// for the MDPM pack of its SEI. Memory stays small whatever the clip's
// length.
#pragma once

#include <string>

#include "model/camera_track.h"
#include "stream/read_stream.h"

namespace zelvok {

// Reads the named clip's frames into `track`.
StreamFault read_camera_track(const std::string& name, CameraTrack* track);

}  // namespace zelvok
