#include "gpx/gpx_text.h"

#include <array>
#include <cstdint>

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

// The UTC date of the point: the GPS date, else the recording's (as it
// stands when the camera recorded no zone).
bool utc_date(const TrackPoint& point, GpsDate* date) {
  if (point.fix.date) {
    *date = *point.fix.date;
    return true;
  }
  const RecordedAt recorded{decode_stamp(point.recorded), decode_zone(point.recorded.zone)};
  RecordingStamp stamp = recorded.stamp;
  if (recorded.zone == kNoZone ? !is_calendar_stamp(stamp) : !utc_of(recorded, &stamp)) {
    return false;
  }
  *date = GpsDate{stamp.year, stamp.month, stamp.day};
  return true;
}

// A ratio of the GPS time, whole.
std::uint8_t whole(const Ratio& value) {
  return static_cast<std::uint8_t>(value.numerator / value.denominator);
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
    const std::array<Ratio, 3>& time = *fix.time;
    const RecordingStamp utc{date.year,      date.month,     date.day,
                             whole(time[0]), whole(time[1]), whole(time[2])};
    text.append("        <time>").append(iso_date_time(utc)).append("Z</time>\n");
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
