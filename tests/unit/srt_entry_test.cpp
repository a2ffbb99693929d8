#include "subtitle/srt_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvok {
namespace {

std::string entry_text(std::uint64_t number, Timecode start, Timecode end, std::string_view text) {
  char buffer[kMaxEntrySize];
  return std::string(buffer, put_entry(buffer, number, start, end, text));
}

TEST(SrtEntryTest, FourLinesWithCrLf) {
  EXPECT_EQ(entry_text(1, {0, 0, 0, 0}, {0, 0, 1, 0}, "2008/11/30 23:59:59"),
            "1\r\n00:00:00,000 --> 00:00:01,000\r\n2008/11/30 23:59:59\r\n\r\n");
  EXPECT_EQ(entry_text(1234567, {99, 59, 59, 999}, {100, 0, 0, 5}, "x"),
            "1234567\r\n99:59:59,999 --> 100:00:00,005\r\nx\r\n\r\n");
}

TEST(SrtEntryTest, LongestEntryFitsItsBound) {
  const std::string stamp(kMaxStampText, '9');
  const Timecode longest{4294967295u, 59, 59, 999};
  EXPECT_EQ(entry_text(UINT64_MAX, longest, longest, stamp).size(), kMaxEntrySize);
}

struct ClockCase {
  Timecode from;
  std::uint32_t milliseconds;  // 1000 means a whole second
  Timecode to;
};

class ClockTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockTest, CarriesIntoMinuteAndHourWithoutWrapping) {
  const ClockCase& c = GetParam();
  Timecode time = c.from;
  if (c.milliseconds == 1000) {
    advance_second(&time);
  } else {
    time = add_milliseconds(time, c.milliseconds);
  }
  EXPECT_EQ(time.hour, c.to.hour);
  EXPECT_EQ(time.minute, c.to.minute);
  EXPECT_EQ(time.second, c.to.second);
  EXPECT_EQ(time.millisecond, c.to.millisecond);
}

INSTANTIATE_TEST_SUITE_P(Timecodes, ClockTest,
                         ::testing::Values(ClockCase{{0, 0, 0, 500}, 1000, {0, 0, 1, 500}},
                                           ClockCase{{0, 0, 59, 0}, 1000, {0, 1, 0, 0}},
                                           ClockCase{{0, 59, 59, 250}, 1000, {1, 0, 0, 250}},
                                           ClockCase{{255, 59, 59, 0}, 1000, {256, 0, 0, 0}},
                                           ClockCase{{0, 0, 2, 500}, 400, {0, 0, 2, 900}},
                                           ClockCase{{0, 0, 2, 700}, 400, {0, 0, 3, 100}},
                                           ClockCase{{0, 0, 2, 600}, 400, {0, 0, 3, 0}},
                                           ClockCase{{9, 59, 59, 999}, 1, {10, 0, 0, 0}}));

}  // namespace
}  // namespace zelvok
