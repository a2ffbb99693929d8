#include "model/recording_stamp.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "subtitle/date_format.h"
#include "support/playlist_builder.h"

namespace zelvok {
namespace {

SceneEntry entry(std::uint16_t year, std::uint8_t month, std::uint8_t day, std::uint8_t hour,
                 std::uint8_t minute, std::uint8_t second) {
  return SceneEntry{year, month, day, hour, minute, second};
}

struct DecodeCase {
  SceneEntry entry;
  std::string text;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, TakesBcdDigitsAsTheyAre) {
  EXPECT_EQ(format_stamp(decode_stamp(GetParam().entry)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, DecodeTest,
    ::testing::Values(
        DecodeCase{entry(0x2008, 0x09, 0x10, 0x14, 0x24, 0x35), "2008/09/10 14:24:35"},
        DecodeCase{entry(0x0000, 0x01, 0x01, 0x00, 0x00, 0x00), "0000/01/01 00:00:00"},
        DecodeCase{entry(0x0012, 0x00, 0x00, 0x00, 0x00, 0x00), "0012/00/00 00:00:00"},
        // A nibble above 9 counts its plain value; fields are not range-checked.
        DecodeCase{entry(0x201A, 0x1A, 0x3F, 0x99, 0x75, 0xFF), "2020/20/45 99:75:165"},
        DecodeCase{entry(0xFFFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF), "16665/165/165 165:165:165"}));

struct AdvanceCase {
  SceneEntry from;
  std::string after_one_second;
};

class AdvanceTest : public ::testing::TestWithParam<AdvanceCase> {};

TEST_P(AdvanceTest, CarriesOnlyWhenTheLowerFieldCarried) {
  RecordingStamp stamp = decode_stamp(GetParam().from);
  advance_stamp(&stamp);
  EXPECT_EQ(format_stamp(stamp), GetParam().after_one_second);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, AdvanceTest,
    ::testing::Values(
        AdvanceCase{entry(0x2008, 0x09, 0x10, 0x14, 0x24, 0x35), "2008/09/10 14:24:36"},
        AdvanceCase{entry(0x2008, 0x09, 0x10, 0x14, 0x24, 0x59), "2008/09/10 14:25:00"},
        AdvanceCase{entry(0x2008, 0x09, 0x10, 0x14, 0x59, 0x59), "2008/09/10 15:00:00"},
        AdvanceCase{entry(0x2008, 0x02, 0x28, 0x23, 0x59, 0x59), "2008/02/29 00:00:00"},
        AdvanceCase{entry(0x2008, 0x02, 0x29, 0x23, 0x59, 0x59), "2008/03/01 00:00:00"},
        AdvanceCase{entry(0x2009, 0x02, 0x28, 0x23, 0x59, 0x59), "2009/03/01 00:00:00"},
        AdvanceCase{entry(0x2100, 0x02, 0x28, 0x23, 0x59, 0x59), "2100/02/29 00:00:00"},
        AdvanceCase{entry(0x2000, 0x02, 0x28, 0x23, 0x59, 0x59), "2000/02/29 00:00:00"},
        AdvanceCase{entry(0x2008, 0x04, 0x30, 0x23, 0x59, 0x59), "2008/05/01 00:00:00"},
        AdvanceCase{entry(0x2008, 0x11, 0x30, 0x23, 0x59, 0x59), "2008/12/01 00:00:00"},
        AdvanceCase{entry(0x2008, 0x12, 0x31, 0x23, 0x59, 0x59), "2009/01/01 00:00:00"},
        AdvanceCase{entry(0x9999, 0x12, 0x31, 0x23, 0x59, 0x59), "10000/01/01 00:00:00"},
        // Minute 75 stays until the seconds carry, then goes to 0 with the hour on.
        AdvanceCase{entry(0x2008, 0x01, 0x01, 0x10, 0x75, 0x30), "2008/01/01 10:75:31"},
        AdvanceCase{entry(0x2008, 0x01, 0x01, 0x10, 0x75, 0x59), "2008/01/01 11:00:00"},
        // A damaged month counts 31 days and then rolls into the next year.
        AdvanceCase{entry(0x2008, 0x13, 0x30, 0x23, 0x59, 0x59), "2008/13/31 00:00:00"},
        AdvanceCase{entry(0x2008, 0x13, 0x31, 0x23, 0x59, 0x59), "2009/01/01 00:00:00"},
        AdvanceCase{entry(0x2008, 0x00, 0x31, 0x23, 0x59, 0x59), "2008/01/01 00:00:00"},
        AdvanceCase{entry(0x2008, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF), "2009/01/01 00:00:00"}));

TEST(AdvanceTest, AWholeLeapYearHas366Days) {
  RecordingStamp stamp = decode_stamp(entry(0x2024, 0x01, 0x01, 0x00, 0x00, 0x00));
  for (int second = 0; second < 366 * 86400; ++second) {
    advance_stamp(&stamp);
  }
  EXPECT_EQ(format_stamp(stamp), "2025/01/01 00:00:00");
}

// Starting points for the many-second moves: ordinary dates, the last second
// of a leap day, and damaged fields that carry on their first step.
const SceneEntry kStarts[] = {
    entry(0x2008, 0x02, 0x28, 0x23, 0x59, 0x59), entry(0x2099, 0x12, 0x31, 0x23, 0x59, 0x58),
    entry(0x2021, 0x07, 0x07, 0x09, 0x39, 0x00), entry(0x2008, 0x01, 0x01, 0x10, 0x75, 0x30),
    entry(0x2008, 0x13, 0x30, 0x23, 0x59, 0x59), entry(0x2008, 0x00, 0x00, 0x99, 0x99, 0x99),
    entry(0xFFFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF),
};

TEST(AdvanceByTest, EqualsOneSecondAdvancesOverSeventyDays) {
  for (const SceneEntry& start : kStarts) {
    RecordingStamp stepped = decode_stamp(start);
    for (std::uint64_t seconds = 1; seconds <= std::uint64_t{70} * 86400; ++seconds) {
      advance_stamp(&stepped);
      if (seconds % 997 == 0 || seconds < 100) {
        RecordingStamp jumped = decode_stamp(start);
        advance_stamp_by(&jumped, seconds);
        ASSERT_EQ(format_stamp(jumped), format_stamp(stepped)) << seconds;
        // On the calendar a shift of +N is the same, and -N takes it back.
        RecordingStamp shifted = decode_stamp(start);
        if (shift_stamp(&shifted, static_cast<std::int64_t>(seconds))) {
          ASSERT_EQ(format_stamp(shifted), format_stamp(stepped)) << seconds;
          ASSERT_TRUE(shift_stamp(&shifted, -static_cast<std::int64_t>(seconds)));
          ASSERT_EQ(format_stamp(shifted), format_stamp(decode_stamp(start))) << seconds;
        }
      }
    }
  }
}

// Past seventy days the one-second rule is that of the calendar, which the
// shift computes another way: from the seconds since year 0.
TEST(AdvanceByTest, AgreesWithTheCalendarOverCenturies) {
  std::mt19937_64 random(20261209);
  std::uniform_int_distribution<std::uint64_t> seconds(0, std::uint64_t{300} * 366 * 86400);
  for (int round = 0; round < 2000; ++round) {
    const std::uint64_t count = seconds(random);
    RecordingStamp jumped = decode_stamp(kStarts[round % 3]);
    RecordingStamp shifted = jumped;
    advance_stamp_by(&jumped, count);
    ASSERT_TRUE(shift_stamp(&shifted, static_cast<std::int64_t>(count)));
    ASSERT_EQ(format_stamp(jumped), format_stamp(shifted)) << count;
  }
}

struct ShiftCase {
  SceneEntry from;
  std::int64_t seconds;
  std::string to;  // empty: refused
};

class ShiftTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftTest, MovesOnTheCameraCalendarWithinYearsZeroTo9999) {
  RecordingStamp stamp = decode_stamp(GetParam().from);
  const std::string before = format_stamp(stamp);
  const bool moved = shift_stamp(&stamp, GetParam().seconds);
  EXPECT_EQ(moved ? format_stamp(stamp) : "", GetParam().to);
  if (moved) {
    // Moving back undoes it exactly.
    ASSERT_TRUE(shift_stamp(&stamp, -GetParam().seconds));
    EXPECT_EQ(format_stamp(stamp), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, ShiftTest,
    ::testing::Values(
        ShiftCase{entry(0x2008, 0x03, 0x01, 0x00, 0x00, 0x00), -1, "2008/02/29 23:59:59"},
        ShiftCase{entry(0x2009, 0x03, 0x01, 0x00, 0x00, 0x00), -1, "2009/02/28 23:59:59"},
        ShiftCase{entry(0x2100, 0x03, 0x01, 0x00, 0x00, 0x00), -86400, "2100/02/29 00:00:00"},
        ShiftCase{entry(0x2008, 0x12, 0x31, 0x23, 0x59, 0x59), 3600, "2009/01/01 00:59:59"},
        ShiftCase{entry(0x0000, 0x01, 0x01, 0x00, 0x00, 0x00), 0, "0000/01/01 00:00:00"},
        ShiftCase{entry(0x0000, 0x01, 0x01, 0x00, 0x00, 0x00), -1, ""},
        ShiftCase{entry(0x9999, 0x12, 0x31, 0x23, 0x59, 0x59), 1, ""},
        ShiftCase{entry(0x9999, 0x12, 0x31, 0x23, 0x59, 0x59), -(3600 * 999999LL),
                  "9885/12/03 08:59:59"},
        // Not on the calendar: nothing is moved, not even by nothing.
        ShiftCase{entry(0x2009, 0x02, 0x29, 0x00, 0x00, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x04, 0x31, 0x00, 0x00, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x13, 0x01, 0x00, 0x00, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x01, 0x00, 0x00, 0x00, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x01, 0x01, 0x24, 0x00, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x01, 0x01, 0x00, 0x60, 0x00), 0, ""},
        ShiftCase{entry(0x2008, 0x01, 0x01, 0x00, 0x00, 0x60), 0, ""},
        ShiftCase{entry(0xFFFF, 0x01, 0x01, 0x00, 0x00, 0x00), 0, ""}));

}  // namespace
}  // namespace zelvok
