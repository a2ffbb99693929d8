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

struct TimecodeCase {
  std::uint64_t milliseconds;
  std::string text;
};

class TimecodeTest : public ::testing::TestWithParam<TimecodeCase> {};

TEST_P(TimecodeTest, HoursNeverWrap) {
  const Timecode time = timecode_at(GetParam().milliseconds);
  EXPECT_EQ(entry_text(1, time, time, "").substr(3, GetParam().text.size()), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Timecodes, TimecodeTest,
                         ::testing::Values(TimecodeCase{0, "00:00:00,000"},
                                           TimecodeCase{59999, "00:00:59,999"},
                                           TimecodeCase{3599999, "00:59:59,999"},
                                           TimecodeCase{360000000, "100:00:00,000"},
                                           TimecodeCase{921600001, "256:00:00,001"}));

}  // namespace
}  // namespace zelvok
