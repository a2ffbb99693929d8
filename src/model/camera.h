// What a camera recorded at one frame besides the date: its exposure
// settings and, on a GPS model, its position. Each item is there only when
// the frame's pack recorded it, and recorded it as something that can be.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace zelvok {

// A value stored as a numerator over a denominator, kept exact; the
// denominator is never zero.
struct Ratio {
  std::uint64_t numerator;
  std::uint64_t denominator;
  bool operator==(const Ratio&) const = default;
};

enum class WhiteBalance { kAuto, kHold, kOnePush, kDaylight };

enum class ExposureMode { kAuto, kShutterPriority, kAperturePriority, kManual };

struct CameraSettings {
  std::optional<std::uint32_t> aperture_tenths;  // the f-number in tenths, rounded half up
  std::optional<Ratio> exposure;                 // the shutter's time, in seconds, above zero
  std::optional<int> gain_db;
  std::optional<WhiteBalance> white_balance;
  std::optional<ExposureMode> exposure_mode;
  bool stabiliser_off = false;  // shown only when off
  bool operator==(const CameraSettings&) const = default;
};

// A latitude or longitude: its degrees, minutes and seconds as one exact
// number of degrees, and its hemisphere.
struct Coordinate {
  Ratio degrees;
  char hemisphere;  // 'N' or 'S' for a latitude, 'E' or 'W' for a longitude
  bool operator==(const Coordinate&) const = default;
};

struct GpsDate {
  std::uint16_t year;
  std::uint8_t month;
  std::uint8_t day;
  bool operator==(const GpsDate&) const = default;
};

// A fix as one frame recorded it; a field that frame's pack lacks is not
// recorded.
struct GpsFix {
  bool void_fix = false;  // status 'V': no position to show
  std::optional<Coordinate> latitude;
  std::optional<Coordinate> longitude;
  std::optional<Ratio> altitude;  // metres, from sea level
  bool below_sea_level = false;
  std::optional<std::array<Ratio, 3>> time;  // UTC: hours, minutes, seconds
  std::optional<GpsDate> date;               // UTC
  std::optional<Ratio> speed;
  char speed_unit = 0;  // 'K' km/h, 'M' mph, 'N' knots; with a speed only
  bool operator==(const GpsFix&) const = default;
};

}  // namespace zelvok
