#include "subtitle/recording_stamp.h"

#include <gtest/gtest.h>

#include <string>

#include "support/playlist_builder.h"

namespace zelvok {
namespace {

SceneEntry entry(std::uint16_t year, std::uint8_t month, std::uint8_t day, std::uint8_t hour,
                 std::uint8_t minute, std::uint8_t second) {
  return SceneEntry{year, month, day, hour, minute, second, 0xFF};
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

}  // namespace
}  // namespace zelvok
