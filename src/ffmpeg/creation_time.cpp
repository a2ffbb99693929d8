#include "ffmpeg/creation_time.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace zelvok {
namespace {

constexpr int kMinutesPerHour = 60;

}  // namespace

std::string utc_time_text(const RecordingStamp& utc) {
  return iso_date_time(utc) + ".000000Z";
}

std::string local_time_text(const RecordedAt& recorded) {
  const int minutes = std::abs(int{recorded.zone});
  std::array<char, 8> offset{};
  const int size =
      std::snprintf(offset.data(), offset.size(), "%c%02d%02d", recorded.zone < 0 ? '-' : '+',
                    minutes / kMinutesPerHour, minutes % kMinutesPerHour);
  return iso_date_time(recorded.stamp) + std::string(offset.data(), static_cast<std::size_t>(size));
}

}  // namespace zelvok
