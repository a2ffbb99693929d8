#include "subtitle/date_format.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvok {
namespace {

std::string shown(const std::string& form, const RecordingStamp& stamp, Zone zone = kNoZone) {
  DateFormat format;
  if (!parse_date_format(form, &format)) {
    return "(refused)";
  }
  char text[kMaxDateText];
  char* second_at = nullptr;
  return std::string(text, put_date(text, {format, zone}, stamp, &second_at));
}

struct FormCase {
  const char* form;
  RecordingStamp stamp;
  Zone zone;
  const char* text;  // what the subtitle shows, or "(refused)"
};

class FormTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormTest, ShowsTheStampAsAsked) {
  EXPECT_EQ(shown(GetParam().form, GetParam().stamp, GetParam().zone), GetParam().text);
}

constexpr RecordingStamp kSunday{2024, 7, 14, 9, 30, 12};

INSTANTIATE_TEST_SUITE_P(
    Forms, FormTest,
    ::testing::Values(
        FormCase{"%Y/%m/%d %H:%M:%S", kSunday, kNoZone, "2024/07/14 09:30:12"},
        FormCase{"%d.%m.%Y %H:%M", kSunday, kNoZone, "14.07.2024 09:30"},
        FormCase{"%m/%d/%Y %I:%M:%S %p", {2024, 7, 14, 21, 30, 12}, 0, "07/14/2024 09:30:12 PM"},
        FormCase{"%A, %e %B %Y", {2024, 7, 4, 0, 0, 0}, 0, "Thursday,  4 July 2024"},
        FormCase{"%a %b %y|%e", {2008, 12, 31, 0, 0, 0}, 0, "Wed Dec 08|31"},
        FormCase{"%Y年%m月%d日%n%H時", kSunday, 0, "2024年07月14日\r\n09時"},
        FormCase{"%I%p %I%p %I%p", {2024, 7, 14, 0, 0, 0}, 0, "12AM 12AM 12AM"},
        FormCase{"%I%p", {2024, 7, 14, 12, 0, 0}, 0, "12PM"},
        FormCase{"%I%p", {2024, 7, 14, 13, 0, 0}, 0, "01PM"},
        FormCase{"%I%p", {2024, 7, 14, 11, 59, 59}, 0, "11AM"},
        FormCase{"100%% %z", kSunday, 540, "100% +09:00"}, FormCase{"%z", kSunday, -300, "-05:00"},
        FormCase{"%z", kSunday, 330, "+05:30"}, FormCase{"%z", kSunday, -30, "-00:30"},
        FormCase{"%z", kSunday, 0, "+00:00"}, FormCase{"[%z]", kSunday, kNoZone, "[]"},
        FormCase{"%Y %y", {5, 1, 1, 0, 0, 0}, 0, "0005 05"},
        FormCase{"%e.%m.", {2024, 7, 10, 0, 0, 0}, 0, "10.07."},
        // A cue's text holds no empty line; a text may be empty.
        FormCase{"%n%H%n%n%M%n", kSunday, 0, "09\r\n30"},
        FormCase{"%H%n%z", kSunday, kNoZone, "09"}, FormCase{"%n%n", kSunday, 0, ""},
        FormCase{"%z", kSunday, kNoZone, ""},
        // Damaged fields print as decoded, as the fixed form prints them.
        FormCase{"%m.%d.%Y %e", {2008, 13, 1, 0, 0, 0}, 0, "13.01.2008  1"},
        FormCase{
            "%Y/%m/%d %H:%M:%S", {16665, 165, 165, 165, 165, 165}, 0, "16665/165/165 165:165:165"},
        // Anything else is refused.
        FormCase{"", kSunday, 0, "(refused)"}, FormCase{"%", kSunday, 0, "(refused)"},
        FormCase{"%H:%", kSunday, 0, "(refused)"}, FormCase{"%E", kSunday, 0, "(refused)"},
        FormCase{"%Ey", kSunday, 0, "(refused)"}, FormCase{"%4Y", kSunday, 0, "(refused)"},
        FormCase{"%Z", kSunday, 0, "(refused)"}, FormCase{"%c", kSunday, 0, "(refused)"},
        FormCase{"a\tb", kSunday, 0, "(refused)"}, FormCase{"a\x7f", kSunday, 0, "(refused)"},
        FormCase{"\n", kSunday, 0, "(refused)"}));

TEST(FormTest, HoldsOneHundredBytesAtMost) {
  EXPECT_EQ(shown(std::string(100, 'x'), kSunday), std::string(100, 'x'));
  EXPECT_EQ(shown(std::string(101, 'x'), kSunday), "(refused)");
}

struct WeekdayCase {
  RecordingStamp stamp;
  const char* weekday;  // typed from a calendar
};

class WeekdayTest : public ::testing::TestWithParam<WeekdayCase> {};

TEST_P(WeekdayTest, FollowsTheCameraCalendar) {
  EXPECT_EQ(shown("%A", GetParam().stamp), GetParam().weekday);
}

INSTANTIATE_TEST_SUITE_P(Calendar, WeekdayTest,
                         ::testing::Values(WeekdayCase{{2024, 7, 14, 0, 0, 0}, "Sunday"},
                                           WeekdayCase{{2008, 1, 1, 0, 0, 0}, "Tuesday"},
                                           WeekdayCase{{2000, 2, 29, 0, 0, 0}, "Tuesday"},
                                           WeekdayCase{{1999, 12, 31, 0, 0, 0}, "Friday"},
                                           WeekdayCase{{1970, 1, 1, 0, 0, 0}, "Thursday"},
                                           WeekdayCase{{2012, 10, 7, 23, 59, 59}, "Sunday"},
                                           WeekdayCase{{2021, 7, 7, 0, 0, 0}, "Wednesday"},
                                           WeekdayCase{{2026, 12, 9, 0, 0, 0}, "Wednesday"},
                                           WeekdayCase{{2026, 12, 12, 0, 0, 0}, "Saturday"},
                                           WeekdayCase{{2099, 12, 31, 0, 0, 0}, "Thursday"},
                                           WeekdayCase{{2027, 1, 4, 0, 0, 0}, "Monday"},
                                           // Every fourth year is a leap year: 2100 and 1900 too.
                                           WeekdayCase{{2100, 2, 29, 0, 0, 0}, "Monday"},
                                           WeekdayCase{{2100, 3, 1, 0, 0, 0}, "Tuesday"},
                                           WeekdayCase{{1900, 2, 29, 0, 0, 0}, "Wednesday"},
                                           WeekdayCase{{1900, 3, 1, 0, 0, 0}, "Thursday"}));

struct ZoneCase {
  std::uint8_t byte;
  const char* zone;
};

class ZoneByteTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(ZoneByteTest, DecodesSignHoursAndHalfHours) {
  EXPECT_EQ(shown("%z", kSunday, decode_zone(GetParam().byte)), GetParam().zone);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ZoneByteTest,
    ::testing::Values(ZoneCase{0x46, "+03:00"},  // summer time, already in the hours
                      ZoneCase{0x2A, "-05:00"}, ZoneCase{0x02, "+01:00"}, ZoneCase{0x00, "+00:00"},
                      ZoneCase{0x20, "+00:00"}, ZoneCase{0x13, "+09:30"}, ZoneCase{0x0B, "+05:30"},
                      ZoneCase{0x3D, "-14:30"}, ZoneCase{0x92, "+09:00"},  // bit 7 means nothing
                      ZoneCase{0x1E, ""}, ZoneCase{0x3F, ""}, ZoneCase{0xFF, ""}));

}  // namespace
}  // namespace zelvok
