// The instant a clip's first frame was filmed, as the files ffmpeg makes
// carry it.
#pragma once

#include <string>

#include "model/recording_stamp.h"

namespace zelvok {

// "2021-01-17T12:03:17.000000Z": ffmpeg's creation_time, in UTC. Only for a
// stamp in the years 0000-9999.
std::string utc_time_text(const RecordingStamp& utc);

// "2021-01-17T17:33:17+0530": the camera's local time and its offset, as
// Apple's creation date holds it. Only for a stamp with a zone.
std::string local_time_text(const RecordedAt& recorded);

}  // namespace zelvok
