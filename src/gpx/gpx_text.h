// A clip's GPS track as GPX 1.1: one track named after the clip's file, one
// segment, a point for each GPS time.
#pragma once

#include <string>
#include <vector>

#include "model/camera_track.h"

namespace zelvok {

// The GPX file of `points` (at least one), the track named `clip_name`.
// Each point's time is the GPS date and time in UTC; with no GPS date, the
// date of the frame's recording converted to UTC by the camera's zone (as it
// stands when no zone was recorded).
std::string gpx_text(const std::string& clip_name, const std::vector<TrackPoint>& points);

}  // namespace zelvok
