#include "subtitle/srt_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvok {
namespace {

std::string text_of(const EntryText& entry) {
  return std::string(entry.bytes.data(), entry.size);
}

const DateStyle kFixed{fixed_date_format(), kNoZone};

std::string laid_out(std::uint64_t number, std::uint64_t start_ms, std::uint64_t end_ms,
                     const RecordingStamp& stamp, const DateStyle& style = kFixed,
                     SubtitleForm form = SubtitleForm::kSubRip) {
  EntryText entry{};
  entry.form = form;
  layout_entry(&entry, number, start_ms, end_ms, style, stamp);
  return text_of(entry);
}

TEST(SrtEntryTest, FourLinesWithCrLf) {
  EXPECT_EQ(laid_out(1, 0, 1000, {2008, 11, 30, 23, 59, 59}),
            "1\r\n00:00:00,000 --> 00:00:01,000\r\n2008/11/30 23:59:59\r\n\r\n");
  EXPECT_EQ(laid_out(1234567, 359999999, 360000005, {0, 1, 2, 3, 4, 5}),
            "1234567\r\n99:59:59,999 --> 100:00:00,005\r\n0000/01/02 03:04:05\r\n\r\n");
  EXPECT_EQ(laid_out(3, 921600001, 921601001, {10000, 165, 0, 9, 75, 165}),
            "3\r\n256:00:00,001 --> 256:00:01,001\r\n10000/165/00 09:75:165\r\n\r\n");
}

// The longest SubRip entry names a Wednesday fifty times, in the longest day
// name; the longest WebVTT cue holds a hundred "&", each written "&amp;".
TEST(SrtEntryTest, LongestEntryFitsItsBound) {
  const std::uint64_t longest = std::uint64_t{4294967295} * 3600000 + 3599999;
  DateFormat wednesdays;
  std::string form;
  for (int i = 0; i < 50; ++i) {
    form += "%A";
  }
  ASSERT_TRUE(parse_date_format(form, &wednesdays));
  const RecordingStamp stamp{2024, 7, 17, 9, 30, 0};
  // 20 digits and CR LF; two timecodes of 20 bytes, " --> " and CR LF; the
  // text and two CR LF.
  EXPECT_EQ(laid_out(UINT64_MAX, longest, longest, stamp, {wednesdays, 0}).size(),
            22u + 47u + 450u + 4u);
  DateFormat ampersands;
  ASSERT_TRUE(parse_date_format(std::string(100, '&'), &ampersands));
  const std::string cue =
      laid_out(UINT64_MAX, longest, longest, stamp, {ampersands, 0}, SubtitleForm::kWebVtt);
  EXPECT_EQ(cue.size(), 47u + 500u + 4u);
  EXPECT_LE(cue.size(), kMaxEntrySize);
}

// A WebVTT cue: no number, a '.' before the milliseconds, and markup written
// as character references, so that no text ends the cue or reads as a tag.
TEST(SrtEntryTest, WebVttCuesAreUnnumberedAndEscaped) {
  DateFormat tagged;
  ASSERT_TRUE(parse_date_format("<b>%H:%M:%S</b> & --> %z", &tagged));
  EXPECT_EQ(
      laid_out(7, 3723004, 3724004, {2024, 7, 17, 9, 30, 5}, {tagged, 540}, SubtitleForm::kWebVtt),
      "01:02:03.004 --> 01:02:04.004\r\n"
      "&lt;b&gt;09:30:05&lt;/b&gt; &amp; --&gt; +09:00\r\n\r\n");
}

// The digits moved in place must give exactly the entry laid out afresh, at
// every carry: of the number, of both timecodes and of the stamp.
TEST(SrtEntryTest, EachNextEntryIsTheOneLaidOutAfresh) {
  struct Start {
    std::uint64_t number;
    std::uint64_t start_ms;
    std::uint64_t first_length;
    RecordingStamp stamp;
  };
  const Start starts[] = {
      {1, 0, 1000, {2024, 7, 14, 9, 30, 12}},
      {95, 3540000, 443, {2021, 7, 7, 9, 54, 44}},  // a partial first entry
      {9995, 359990000, 1000, {2008, 2, 28, 23, 59, 50}},
      {998, 921598700, 300, {2008, 1, 1, 10, 75, 30}},  // a damaged minute
      {7, 3000, 1000, {2008, 13, 31, 23, 59, 57}},      // a damaged month
  };
  // The seconds anywhere in the text, twice, or only in a long text; after
  // markup that WebVTT writes longer.
  const char* const forms[] = {"%Y/%m/%d %H:%M:%S", "%S%n%d.%m.%Y %H:%M", "%S:%S",
                               "%A, %d %B %Y, %I:%M:%S %p %z", "<i>&%H:%M:%S"};
  for (const SubtitleForm subtitle_form : {SubtitleForm::kSubRip, SubtitleForm::kWebVtt}) {
    for (const char* form : forms) {
      DateFormat format;
      ASSERT_TRUE(parse_date_format(form, &format));
      const DateStyle style{format, -300};
      for (const Start& start : starts) {
        EntryText entry{};
        entry.form = subtitle_form;
        RecordingStamp stamp = start.stamp;
        std::uint64_t number = start.number;
        std::uint64_t end = start.start_ms + start.first_length;
        layout_entry(&entry, number, start.start_ms, end, style, stamp);
        for (int step = 0; step < 150; ++step) {
          const std::uint64_t length = step % 37 == 36 ? 250 : 1000;
          advance_stamp(&stamp);
          char out[kMaxEntrySize];
          const char* out_end = put_next_entry(&entry, length, style, stamp, out);
          ++number;
          const std::string expected =
              laid_out(number, end, end + length, stamp, style, subtitle_form);
          ASSERT_EQ(std::string(static_cast<const char*>(out), out_end), expected)
              << form << " " << number;
          end += length;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zelvok
