// What a frame's MDPM pack says of the camera's settings and position, read
// from its tags as stored. An item recorded as something it cannot be (a
// zero denominator, 0xFF where a number should be, minutes above 60, a date
// that is not one) is not recorded; nothing else changes.
#pragma once

#include "model/camera.h"
#include "stream/mdpm.h"

namespace zelvok {

// Aperture (0xA1, else 0x70 byte 0), shutter (0xA0, else 0x7F bytes 2-3),
// gain, white balance and exposure mode (0x70), stabiliser (0x71).
CameraSettings camera_settings(const CameraTags& tags);

// The fix of tags 0xB1 to 0xCC.
GpsFix gps_fix(const CameraTags& tags);

// True when the pack records a latitude and a longitude: the fix is taken
// whole from the latest frame whose pack does.
bool records_position(const CameraTags& tags);

}  // namespace zelvok
