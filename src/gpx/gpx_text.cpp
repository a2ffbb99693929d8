#include "gpx/gpx_text.h"

#include <cstdio>

#include "model/recording_stamp.h"
#include "model/zone.h"
#include "subtitle/camera_lines.h"

namespace zelvok {
namespace {

// Text of an element or an attribute, its markup characters as references.
std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Degrees with seven decimals, south and west below zero.
std::string signed_degrees(const Coordinate& coordinate) {
  const std::string degrees = decimal_text(coordinate.degrees, 7);
  const bool negative = coordinate.hemisphere == 'S' || coordinate.hemisphere == 'W';
  return negative ? std::string("-").append(degrees) : degrees;
}

// The UTC date of the point: the GPS date, else the recording's.
bool utc_date(const TrackPoint& point, GpsDate* date) {
  if (point.fix.date) {
    *date = *point.fix.date;
    return true;
  }
  RecordingStamp stamp = decode_stamp(point.recorded);
  const Zone zone = decode_zone(point.recorded.zone);
  if (!is_calendar_stamp(stamp) ||
      (zone != kNoZone && !shift_stamp(&stamp, -std::int64_t{zone} * 60))) {
    return false;
  }
  *date = GpsDate{static_cast<std::uint16_t>(stamp.year), static_cast<std::uint8_t>(stamp.month),
                  static_cast<std::uint8_t>(stamp.day)};
  return true;
}

std::string point_text(const TrackPoint& point) {
  const GpsFix& fix = point.fix;
  std::string text = "      <trkpt lat=\"" + signed_degrees(*fix.latitude) + "\" lon=\"" +
                     signed_degrees(*fix.longitude) + "\">\n";
  if (fix.altitude) {
    text.append("        <ele>")
        .append(fix.below_sea_level ? "-" : "")
        .append(decimal_text(*fix.altitude, 1))
        .append("</ele>\n");
  }
  GpsDate date{};
  if (fix.time && utc_date(point, &date)) {
    char stamp[64];
    (void)std::snprintf(
        stamp, sizeof stamp, "%04u-%02u-%02uT%02u:%02u:%02uZ", unsigned{date.year},
        unsigned{date.month}, unsigned{date.day},
        static_cast<unsigned>((*fix.time)[0].numerator / (*fix.time)[0].denominator),
        static_cast<unsigned>((*fix.time)[1].numerator / (*fix.time)[1].denominator),
        static_cast<unsigned>((*fix.time)[2].numerator / (*fix.time)[2].denominator));
    text.append("        <time>").append(stamp).append("</time>\n");
  }
  return text.append("      </trkpt>\n");
}

}  // namespace

std::string gpx_text(const std::string& clip_name, const std::vector<TrackPoint>& points) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"zelvok\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <trk>\n"
      "    <name>" +
      escaped(clip_name) +
      "</name>\n"
      "    <trkseg>\n";
  for (const TrackPoint& point : points) {
    text += point_text(point);
  }
  return text + "    </trkseg>\n  </trk>\n</gpx>\n";
}

}  // namespace zelvok
