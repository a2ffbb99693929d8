// The camera's own data code under the date: its settings on one line, its
// position on another, as its display showed them.
#pragma once

#include <string>

#include "model/camera.h"

namespace zelvok {

// The settings recorded, in order, two spaces apart: "F2.6  1/50  0dB  AWB
// AUTO", then "OIS OFF" when the stabiliser was off. Empty when none was
// recorded, so that no cue gets an empty line.
std::string camera_line(const CameraSettings& settings);

// "N48.13676 E11.58244 520m  3.6km/h": degrees with five decimals, the
// hemisphere first; whole metres, '-' below sea level, when an altitude was
// recorded; the speed with one decimal when it was. Every figure is rounded
// half up. Empty for a void fix or one that lacks a coordinate.
std::string gps_line(const GpsFix& fix);

// `value` with `decimals` decimals, rounded half up: "48.1367600".
std::string decimal_text(const Ratio& value, unsigned decimals);

}  // namespace zelvok
