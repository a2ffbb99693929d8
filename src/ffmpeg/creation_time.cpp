#include "ffmpeg/creation_time.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace zelvok {
namespace {

constexpr int kMinutesPerHour = 60;

// "YYYY-MM-DDTHH:MM:SS".
std::string date_time_text(const RecordingStamp& stamp) {
  std::array<char, 32> text{};
  const int size =
      std::snprintf(text.data(), text.size(), "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{stamp.year},
                    unsigned{stamp.month}, unsigned{stamp.day}, unsigned{stamp.hour},
                    unsigned{stamp.minute}, unsigned{stamp.second});
  return std::string(text.data(), static_cast<std::size_t>(size));
}

}  // namespace

std::string utc_time_text(const RecordingStamp& utc) {
  return date_time_text(utc) + ".000000Z";
}

std::string local_time_text(const RecordedAt& recorded) {
  const int minutes = std::abs(int{recorded.zone});
  std::array<char, 8> offset{};
  const int size =
      std::snprintf(offset.data(), offset.size(), "%c%02d%02d", recorded.zone < 0 ? '-' : '+',
                    minutes / kMinutesPerHour, minutes % kMinutesPerHour);
  return date_time_text(recorded.stamp) +
         std::string(offset.data(), static_cast<std::size_t>(size));
}

}  // namespace zelvok
