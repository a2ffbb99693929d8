// What the camera recorded over a whole clip, as the subtitles and the GPS
// track take it: every frame in presentation order with the settings and
// fix its display showed, and the points of its track.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/camera.h"
#include "model/playlist.h"

namespace zelvok {

// What the display showed at a frame: each setting from the latest frame at
// or before it whose pack recorded it (else the earliest that did), and the
// fix taken whole from the latest frame whose pack recorded a position (else
// the earliest).
struct CameraState {
  CameraSettings settings;
  std::optional<GpsFix> fix;
  bool operator==(const CameraState&) const = default;
};

struct TrackFrame {
  std::int64_t ms;      // from the first frame shown, rounded down as cue times are
  std::uint32_t state;  // in CameraTrack::states
};

// A point of the GPS track: a valid fix with a time, as the first frame that
// carries that time recorded it, and that frame's recording date and zone.
struct TrackPoint {
  GpsFix fix;
  SceneEntry recorded;
};

struct CameraTrack {
  std::vector<TrackFrame> frames;     // in presentation order, each where the state changes
  std::vector<CameraState> states;    // each one once for a run of frames that share it
  std::uint64_t first_shown_pts = 0;  // 90 kHz, as the frames were read
  std::vector<TrackPoint> points;     // one per GPS time, in presentation order
};

// Where a clip dated by its card's playlist starts on the track's time, in
// milliseconds from the first frame shown rounded down: at its PlayItem's
// IN time (45 kHz), whose presentation time is twice it, modulo 2^33.
std::int64_t in_time_offset_ms(const CameraTrack& track, std::uint32_t in_time);

// The state at `ms` from the first frame shown: that of the last frame whose
// time is not after it, or of the first frame when none is. Null when the
// track has no frame.
const CameraState* state_at(const CameraTrack& track, std::int64_t ms);

}  // namespace zelvok
