#include "stream/camera_data.h"

#include <cmath>

namespace zelvok {
namespace {

constexpr std::uint8_t kExposureTag = 0x70;     // aperture, gain and mode, white balance
constexpr std::uint8_t kStabiliserTag = 0x71;   // byte 1
constexpr std::uint8_t kShutterCodeTag = 0x7F;  // bytes 2-3, little-endian
constexpr std::uint8_t kShutterTag = 0xA0;      // rational, seconds
constexpr std::uint8_t kApertureTag = 0xA1;     // rational, the f-number
constexpr std::uint8_t kLatitudeRefTag = 0xB1;
constexpr std::uint8_t kLatitudeTag = 0xB2;  // then 0xB3, 0xB4: degrees, minutes, seconds
constexpr std::uint8_t kLongitudeRefTag = 0xB5;
constexpr std::uint8_t kLongitudeTag = 0xB6;  // then 0xB7, 0xB8
constexpr std::uint8_t kAltitudeRefTag = 0xB9;
constexpr std::uint8_t kAltitudeTag = 0xBA;
constexpr std::uint8_t kTimeTag = 0xBB;  // then 0xBC, 0xBD: hours, minutes, seconds
constexpr std::uint8_t kStatusTag = 0xBE;
constexpr std::uint8_t kSpeedUnitTag = 0xC1;
constexpr std::uint8_t kSpeedTag = 0xC2;
constexpr std::uint8_t kDateTag = 0xCA;  // then 0xCB, 0xCC: "YYYY:MM:DD" and zeros

constexpr std::uint8_t kApertureAuto = 0xFF;
constexpr std::uint8_t kApertureClosed = 0xFE;
constexpr std::uint16_t kShutterNotRecorded = 0x7FFF;
constexpr std::uint64_t kShutterCodeUnit = 28125;  // codes a second
constexpr std::uint8_t kGainNotRecorded = 0x0F;
constexpr std::uint16_t kNotANumber = 0xFFFF;

using TagValue = std::array<std::uint8_t, kTagValueSize>;

// A rational of two big-endian 16-bit halves; none for a zero denominator
// or a numerator of all ones.
std::optional<Ratio> ratio_of(const TagValue* value) {
  if (value == nullptr) {
    return std::nullopt;
  }
  const auto numerator = static_cast<std::uint16_t>(((*value)[0] << 8) | (*value)[1]);
  const auto denominator = static_cast<std::uint16_t>(((*value)[2] << 8) | (*value)[3]);
  if (denominator == 0 || numerator == kNotANumber) {
    return std::nullopt;
  }
  return Ratio{numerator, denominator};
}

std::optional<Ratio> ratio_at(const CameraTags& tags, std::uint8_t tag) {
  return ratio_of(camera_tag(tags, tag));
}

// Byte 0 of a tag that holds a letter or a flag.
std::optional<std::uint8_t> byte_at(const CameraTags& tags, std::uint8_t tag, std::size_t at = 0) {
  const TagValue* value = camera_tag(tags, tag);
  return value != nullptr ? std::optional<std::uint8_t>((*value)[at]) : std::nullopt;
}

// The f-number, in tenths rounded half up: tag 0xA1 exactly, else the
// eighths of a stop of 0x70, 2^((b & 0x3F) / 8).
std::optional<std::uint32_t> aperture_tenths(const CameraTags& tags) {
  if (const std::optional<Ratio> ratio = ratio_at(tags, kApertureTag)) {
    return static_cast<std::uint32_t>((ratio->numerator * 20 + ratio->denominator) /
                                      (2 * ratio->denominator));
  }
  const std::optional<std::uint8_t> code = byte_at(tags, kExposureTag);
  if (!code || *code == kApertureAuto || *code == kApertureClosed) {
    return std::nullopt;
  }
  // 2^(k/8) for k below 64 is never a tenth and a half: the rounding is exact.
  const double f_number = std::exp2(static_cast<double>(*code & 0x3F) / 8.0);
  return static_cast<std::uint32_t>(std::floor(f_number * 10.0 + 0.5));
}

// The shutter's time: tag 0xA0 exactly, else the code of 0x7F in 1/28125 s.
std::optional<Ratio> exposure(const CameraTags& tags) {
  if (const std::optional<Ratio> ratio = ratio_at(tags, kShutterTag)) {
    return ratio->numerator != 0 ? ratio : std::nullopt;
  }
  const TagValue* code = camera_tag(tags, kShutterCodeTag);
  if (code == nullptr) {
    return std::nullopt;
  }
  const auto value = static_cast<std::uint16_t>((*code)[2] | ((*code)[3] << 8));
  // All ones, whatever the top bit, is no time; nor has a time of nothing a 1/N.
  const std::uint16_t units = value & kShutterNotRecorded;
  if (units == kShutterNotRecorded || units == 0) {
    return std::nullopt;
  }
  return Ratio{units, kShutterCodeUnit};
}

void read_exposure_byte(std::uint8_t modes, CameraSettings* settings) {
  const std::uint8_t gain = modes & 0x0F;
  if (gain != kGainNotRecorded) {
    settings->gain_db = (gain - 1) * 3;
  }
  switch (modes >> 4) {
    case 0:
      settings->exposure_mode = ExposureMode::kAuto;
      break;
    case 2:
      settings->exposure_mode = ExposureMode::kShutterPriority;
      break;
    case 3:
      settings->exposure_mode = ExposureMode::kAperturePriority;
      break;
    case 4:
      settings->exposure_mode = ExposureMode::kManual;
      break;
    default:
      break;
  }
}

std::optional<WhiteBalance> white_balance(std::uint8_t byte) {
  switch (byte >> 5) {
    case 0:
      return WhiteBalance::kAuto;
    case 1:
      return WhiteBalance::kHold;
    case 2:
      return WhiteBalance::kOnePush;
    case 3:
      return WhiteBalance::kDaylight;
    default:
      return std::nullopt;
  }
}

// The stabiliser is off at 0xBF, or wherever bit 0x10 is clear (0x3F and
// 0xFF, which have it set, are on).
bool stabiliser_off(std::uint8_t byte) {
  return byte == 0xBF || (byte & 0x10) == 0;
}

// Degrees, minutes and seconds as one number of degrees: d + m/60 + s/3600
// over one denominator, which fits 64 bits (each part's is 16 bits).
std::optional<Ratio> degrees_of(const CameraTags& tags, std::uint8_t first, std::uint64_t most) {
  const std::optional<Ratio> d = ratio_at(tags, first);
  const std::optional<Ratio> m = ratio_at(tags, first + 1);
  const std::optional<Ratio> s = ratio_at(tags, first + 2);
  if (!d || !m || !s || d->numerator > most * d->denominator ||
      m->numerator > 60 * m->denominator || s->numerator > 60 * s->denominator) {
    return std::nullopt;
  }
  const std::uint64_t denominator = d->denominator * m->denominator * s->denominator * 3600;
  const std::uint64_t numerator = d->numerator * m->denominator * s->denominator * 3600 +
                                  m->numerator * d->denominator * s->denominator * 60 +
                                  s->numerator * d->denominator * m->denominator;
  return Ratio{numerator, denominator};
}

std::optional<Coordinate> coordinate(const CameraTags& tags, std::uint8_t reference,
                                     std::uint8_t first, const char* letters, std::uint64_t most) {
  const std::optional<std::uint8_t> letter = byte_at(tags, reference);
  const std::optional<Ratio> degrees = degrees_of(tags, first, most);
  const auto is_letter = [&](int k) {
    return letter && *letter == static_cast<std::uint8_t>(letters[k]);
  };
  if ((!is_letter(0) && !is_letter(1)) || !degrees) {
    return std::nullopt;
  }
  return Coordinate{*degrees, static_cast<char>(*letter)};
}

bool is_digits(const char* text, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) {
    if (text[k] < '0' || text[k] > '9') {
      return false;
    }
  }
  return true;
}

unsigned number_of(const char* digits, std::size_t count) {
  unsigned value = 0;
  for (std::size_t k = 0; k < count; ++k) {
    value = value * 10 + static_cast<unsigned>(digits[k] - '0');
  }
  return value;
}

// "YYYY:MM:DD" over tags 0xCA to 0xCC; none when any is missing or it is not
// a date of the Gregorian calendar.
std::optional<GpsDate> gps_date(const CameraTags& tags) {
  std::array<char, 3 * kTagValueSize> text{};
  for (std::uint8_t part = 0; part < 3; ++part) {
    const TagValue* value = camera_tag(tags, static_cast<std::uint8_t>(kDateTag + part));
    if (value == nullptr) {
      return std::nullopt;
    }
    std::copy(value->begin(), value->end(), text.begin() + part * kTagValueSize);
  }
  const char* at = text.data();
  if (!is_digits(at, 4) || at[4] != ':' || !is_digits(at + 5, 2) || at[7] != ':' ||
      !is_digits(at + 8, 2)) {
    return std::nullopt;
  }
  const GpsDate date{static_cast<std::uint16_t>(number_of(at, 4)),
                     static_cast<std::uint8_t>(number_of(at + 5, 2)),
                     static_cast<std::uint8_t>(number_of(at + 8, 2))};
  constexpr std::array<unsigned, 12> kDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
  if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > kDays[date.month - 1] ||
      (date.month == 2 && date.day == 29 && !leap)) {
    return std::nullopt;
  }
  return date;
}

// Hours below 24, minutes below 60, seconds up to 60 (a leap second).
std::optional<std::array<Ratio, 3>> gps_time(const CameraTags& tags) {
  const std::optional<Ratio> hours = ratio_at(tags, kTimeTag);
  const std::optional<Ratio> minutes = ratio_at(tags, kTimeTag + 1);
  const std::optional<Ratio> seconds = ratio_at(tags, kTimeTag + 2);
  if (!hours || !minutes || !seconds || hours->numerator >= 24 * hours->denominator ||
      minutes->numerator >= 60 * minutes->denominator ||
      seconds->numerator > 60 * seconds->denominator) {
    return std::nullopt;
  }
  return std::array<Ratio, 3>{*hours, *minutes, *seconds};
}

}  // namespace

CameraSettings camera_settings(const CameraTags& tags) {
  CameraSettings settings;
  settings.aperture_tenths = aperture_tenths(tags);
  settings.exposure = exposure(tags);
  if (const TagValue* modes = camera_tag(tags, kExposureTag)) {
    read_exposure_byte((*modes)[1], &settings);
    settings.white_balance = white_balance((*modes)[2]);
  }
  if (const std::optional<std::uint8_t> stabiliser = byte_at(tags, kStabiliserTag, 1)) {
    settings.stabiliser_off = stabiliser_off(*stabiliser);
  }
  return settings;
}

bool records_position(const CameraTags& tags) {
  return camera_tag(tags, kLatitudeTag) != nullptr && camera_tag(tags, kLongitudeTag) != nullptr;
}

GpsFix gps_fix(const CameraTags& tags) {
  GpsFix fix;
  fix.void_fix = byte_at(tags, kStatusTag) == std::optional<std::uint8_t>('V');
  fix.latitude = coordinate(tags, kLatitudeRefTag, kLatitudeTag, "NS", 90);
  fix.longitude = coordinate(tags, kLongitudeRefTag, kLongitudeTag, "EW", 180);
  fix.altitude = ratio_at(tags, kAltitudeTag);
  fix.below_sea_level = byte_at(tags, kAltitudeRefTag).value_or(0) != 0;
  fix.time = gps_time(tags);
  fix.date = gps_date(tags);
  const std::optional<std::uint8_t> unit = byte_at(tags, kSpeedUnitTag);
  fix.speed = ratio_at(tags, kSpeedTag);
  if (unit && (*unit == 'K' || *unit == 'M' || *unit == 'N')) {
    fix.speed_unit = static_cast<char>(*unit);
  } else {
    fix.speed.reset();  // a speed in no known unit cannot be shown
  }
  return fix;
}

}  // namespace zelvok
