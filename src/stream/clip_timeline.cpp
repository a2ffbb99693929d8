#include "stream/clip_timeline.h"

#include <algorithm>
#include <limits>

#include "model/pts_clock.h"
#include "model/recording_stamp.h"

namespace zelvok {
namespace {

// One frame's presentation: the smallest step between two distinct times; 0
// when there are not two.
std::int64_t frame_step(std::vector<std::int64_t> times) {
  std::sort(times.begin(), times.end());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  std::int64_t step = 0;
  for (std::size_t k = 1; k < times.size(); ++k) {
    const std::int64_t gap = times[k] - times[k - 1];
    step = step == 0 ? gap : std::min(step, gap);
  }
  return step;
}

// The frames' times read against the first frame of the head.
std::vector<std::int64_t> times_of(const std::vector<Frame>& frames, std::uint64_t reference) {
  std::vector<std::int64_t> times(frames.size());
  std::transform(frames.begin(), frames.end(), times.begin(),
                 [&](const Frame& frame) { return unwrapped_pts(frame.pts, reference); });
  return times;
}

bool same_date(const SceneEntry& a, const SceneEntry& b) {
  const RecordingStamp x = decode_stamp(a);
  const RecordingStamp y = decode_stamp(b);
  return x.year == y.year && x.month == y.month && x.day == y.day && x.hour == y.hour &&
         x.minute == y.minute && x.second == y.second;
}

// The earliest dated frame in presentation order (the first in the file of
// those presented together) whose date is not that of `other_than`, when
// given; the frames' count when there is none.
std::size_t earliest_dated(const std::vector<Frame>& frames, const std::vector<std::int64_t>& times,
                           const Frame* other_than) {
  std::size_t found = frames.size();
  for (std::size_t k = 0; k < frames.size(); ++k) {
    const bool wanted =
        is_dated(frames[k].date) &&
        (other_than == nullptr || !same_date(frames[k].date.entry, other_than->date.entry));
    if (wanted && (found == frames.size() || times[k] < times[found])) {
      found = k;
    }
  }
  return found;
}

}  // namespace

ClipMedia head_timing(const std::vector<Frame>& head) {
  const std::vector<std::int64_t> times = times_of(head, head.front().pts);
  ClipMedia timing;
  timing.first_shown_pts = on_clock(*std::min_element(times.begin(), times.end()));
  timing.frame_ticks = static_cast<std::uint64_t>(frame_step(times));
  return timing;
}

std::string clip_name_of(const std::string& file_name) {
  const std::size_t dot = file_name.rfind('.');
  return dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
}

bool clip_from_frames(const std::vector<Frame>& head, const std::vector<Frame>& tail,
                      const std::string& file_name, Playlist* playlist) {
  if (head.empty()) {
    return false;
  }
  const std::vector<std::int64_t> times = times_of(head, head.front().pts);
  const std::size_t first = earliest_dated(head, times, nullptr);
  if (first == head.size()) {
    return false;
  }
  const std::size_t change = earliest_dated(head, times, &head[first]);
  const std::vector<std::int64_t> tail_times = times_of(tail, head.front().pts);
  const std::int64_t zero = *std::min_element(times.begin(), times.end());
  std::int64_t greatest = *std::max_element(times.begin(), times.end());
  for (const std::int64_t time : tail_times) {
    greatest = std::max(greatest, time);
  }
  const auto length =
      static_cast<std::uint64_t>(floor_ms(greatest + frame_step(times)) - floor_ms(zero));
  PlayItem item;
  item.clip_name = clip_name_of(file_name);
  item.stream_file = file_name;
  item.out_time = static_cast<std::uint32_t>(std::min<std::uint64_t>(
      length * kTicksPerMillisecond, std::numeric_limits<std::uint32_t>::max()));
  item.first_cue_ms = change == head.size()
                          ? 1000
                          : static_cast<std::uint64_t>(floor_ms(times[change]) - floor_ms(zero));
  item.first_shown_pts = on_clock(zero);
  playlist->play_items = {item};
  playlist->scenes = {head[first].date.entry};
  return true;
}

}  // namespace zelvok
