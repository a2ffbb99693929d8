#include "stream/clip_timeline.h"

#include <algorithm>
#include <limits>

#include "model/recording_stamp.h"

namespace zelvok {
namespace {

constexpr std::uint64_t kPtsPerMillisecond = 90;

std::uint64_t milliseconds(std::uint64_t pts) {
  return pts / kPtsPerMillisecond;
}

// One frame's presentation: the smallest step between two distinct PTS; 0
// when there are not two.
std::uint64_t frame_step(const std::vector<Frame>& frames) {
  std::vector<std::uint64_t> times(frames.size());
  std::transform(frames.begin(), frames.end(), times.begin(),
                 [](const Frame& frame) { return frame.pts; });
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  std::uint64_t step = 0;
  for (std::size_t k = 1; k < times.size(); ++k) {
    const std::uint64_t gap = times[k] - times[k - 1];
    step = step == 0 ? gap : std::min(step, gap);
  }
  return step;
}

bool same_date(const SceneEntry& a, const SceneEntry& b) {
  const RecordingStamp x = decode_stamp(a);
  const RecordingStamp y = decode_stamp(b);
  return x.year == y.year && x.month == y.month && x.day == y.day && x.hour == y.hour &&
         x.minute == y.minute && x.second == y.second;
}

// The earliest dated frame in presentation order (the first in the file of
// those presented together) whose date is not that of `other_than`, when
// given. Null when there is none.
const Frame* earliest_dated(const std::vector<Frame>& frames, const Frame* other_than) {
  const Frame* found = nullptr;
  for (const Frame& frame : frames) {
    const bool wanted =
        is_dated(frame.date) &&
        (other_than == nullptr || !same_date(frame.date.entry, other_than->date.entry));
    if (wanted && (found == nullptr || frame.pts < found->pts)) {
      found = &frame;
    }
  }
  return found;
}

}  // namespace

std::string clip_name_of(const std::string& file_name) {
  const std::size_t dot = file_name.rfind('.');
  return dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
}

bool clip_from_frames(const std::vector<Frame>& head, std::uint64_t greatest_pts,
                      const std::string& file_name, Playlist* playlist) {
  const Frame* first = earliest_dated(head, nullptr);
  if (first == nullptr) {
    return false;
  }
  const Frame* change = earliest_dated(head, first);
  std::uint64_t zero = first->pts;
  for (const Frame& frame : head) {
    zero = std::min(zero, frame.pts);
    greatest_pts = std::max(greatest_pts, frame.pts);
  }
  const std::uint64_t length = milliseconds(greatest_pts + frame_step(head)) - milliseconds(zero);
  PlayItem item;
  item.clip_name = clip_name_of(file_name);
  item.stream_file = file_name;
  item.out_time = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      length * kTicksPerMillisecond, std::numeric_limits<std::uint32_t>::max()));
  item.first_cue_ms = change == nullptr ? 1000 : milliseconds(change->pts) - milliseconds(zero);
  playlist->play_items = {item};
  playlist->scenes = {first->date.entry};
  return true;
}

}  // namespace zelvok
