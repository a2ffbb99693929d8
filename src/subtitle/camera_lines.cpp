#include "subtitle/camera_lines.h"

#include <array>
#include <string_view>

namespace zelvok {
namespace {

void append_item(std::string* line, std::string_view item) {
  if (!line->empty()) {
    line->append("  ");
  }
  line->append(item);
}

// 1/N below a second, N = 1/t rounded half up; else seconds with one
// decimal and '"'.
std::string shutter_text(const Ratio& seconds) {
  if (seconds.numerator < seconds.denominator) {
    const std::uint64_t n = (2 * seconds.denominator + seconds.numerator) / (2 * seconds.numerator);
    return std::string("1/").append(std::to_string(n));
  }
  return decimal_text(seconds, 1).append("\"");
}

std::string_view white_balance_text(WhiteBalance balance) {
  switch (balance) {
    case WhiteBalance::kAuto:
      return "AWB";
    case WhiteBalance::kHold:
      return "WB HOLD";
    case WhiteBalance::kOnePush:
      return "WB 1-PUSH";
    case WhiteBalance::kDaylight:
      break;
  }
  return "WB DAYLIGHT";
}

std::string_view exposure_mode_text(ExposureMode mode) {
  switch (mode) {
    case ExposureMode::kAuto:
      return "AUTO";
    case ExposureMode::kShutterPriority:
      return "S";
    case ExposureMode::kAperturePriority:
      return "A";
    case ExposureMode::kManual:
      break;
  }
  return "M";
}

std::string_view speed_unit_text(char unit) {
  return unit == 'K' ? "km/h" : unit == 'M' ? "mph" : "kn";
}

}  // namespace

std::string decimal_text(const Ratio& value, unsigned decimals) {
  // Long division: the remainder stays below the denominator, which is at
  // most about 2^60, so ten times it still fits 64 bits.
  std::uint64_t whole = value.numerator / value.denominator;
  std::uint64_t rest = value.numerator % value.denominator;
  std::string digits;
  for (unsigned k = 0; k < decimals; ++k) {
    rest *= 10;
    digits.push_back(static_cast<char>('0' + rest / value.denominator));
    rest %= value.denominator;
  }
  if (rest >= value.denominator - rest) {  // half or more: up
    auto digit = digits.rbegin();
    for (; digit != digits.rend() && *digit == '9'; ++digit) {
      *digit = '0';
    }
    if (digit == digits.rend()) {
      ++whole;
    } else {
      ++*digit;
    }
  }
  std::string text = std::to_string(whole);
  if (decimals > 0) {
    text.append(".").append(digits);
  }
  return text;
}

std::string camera_line(const CameraSettings& settings) {
  std::string line;
  if (settings.aperture_tenths) {
    append_item(&line,
                std::string("F").append(decimal_text(Ratio{*settings.aperture_tenths, 10}, 1)));
  }
  if (settings.exposure) {
    append_item(&line, shutter_text(*settings.exposure));
  }
  if (settings.gain_db) {
    append_item(&line, std::to_string(*settings.gain_db).append("dB"));
  }
  if (settings.white_balance) {
    append_item(&line, white_balance_text(*settings.white_balance));
  }
  if (settings.exposure_mode) {
    append_item(&line, exposure_mode_text(*settings.exposure_mode));
  }
  if (settings.stabiliser_off) {
    append_item(&line, "OIS OFF");
  }
  return line;
}

std::string gps_line(const GpsFix& fix) {
  if (fix.void_fix || !fix.latitude || !fix.longitude) {
    return {};
  }
  std::string line(1, fix.latitude->hemisphere);
  line.append(decimal_text(fix.latitude->degrees, 5)).append(" ");
  line.push_back(fix.longitude->hemisphere);
  line.append(decimal_text(fix.longitude->degrees, 5));
  if (fix.altitude) {
    const std::string metres = decimal_text(*fix.altitude, 0);
    line.append(fix.below_sea_level && metres != "0" ? " -" : " ").append(metres).append("m");
  }
  if (fix.speed) {
    append_item(&line, decimal_text(*fix.speed, 1));
    line.append(speed_unit_text(fix.speed_unit));
  }
  return line;
}

}  // namespace zelvok
