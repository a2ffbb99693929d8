// What zelvok tells ffmpeg, worked out by hand: the style of the dates drawn
// into a picture, values escaped for a filter graph, and the creation times.
#include <gtest/gtest.h>

#include <string>

#include "burn/burn_filter.h"
#include "ffmpeg/creation_time.h"
#include "model/clip_media.h"
#include "model/recording_stamp.h"

namespace zelvok {
namespace {

// Text a twentieth of the height, margins a thirtieth of it (rounded half
// up), the outline a 360th, in the picture's own pixels.
TEST(DrawingStyleTest, SizesFollowThePicturesHeight) {
  const std::string fixed =
      ",Alignment=3,PrimaryColour=&H00FFFFFF,OutlineColour=&H00000000,BorderStyle=1";
  const std::pair<Picture, std::string> cases[] = {
      {{1920, 1080, true},
       "PlayResX=1920,PlayResY=1080,FontSize=54,MarginR=36,MarginV=36" + fixed +
           ",Outline=3,Shadow=0"},
      {{720, 576, true},
       "PlayResX=720,PlayResY=576,FontSize=28.8,MarginR=19,MarginV=19" + fixed +
           ",Outline=1.6,Shadow=0"},
      {{1440, 1080, false},
       "PlayResX=1440,PlayResY=1080,FontSize=54,MarginR=36,MarginV=36" + fixed +
           ",Outline=3,Shadow=0"},
      {{640, 375, false},  // 12.5 rounds up; 1.0416 to 1.04
       "PlayResX=640,PlayResY=375,FontSize=18.75,MarginR=13,MarginV=13" + fixed +
           ",Outline=1.04,Shadow=0"},
      {{0, 0, false},  // not known: the drawing library's own canvas
       "PlayResX=384,PlayResY=288,FontSize=14.4,MarginR=10,MarginV=10" + fixed +
           ",Outline=0.8,Shadow=0"}};
  for (const auto& [picture, style] : cases) {
    EXPECT_EQ(drawing_style(picture), style) << picture.width << "x" << picture.height;
  }
}

// First the option's level (' \ :), then the graph's (' \ [ ] , ;).
TEST(FilterEscapeTest, BothLevels) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain/name.part", "plain/name.part"},
      {"file:a b/c.srt", "file\\\\:a b/c.srt"},
      {"Tom's [2021], best; ever", "Tom\\\\\\'s \\[2021\\]\\, best\\; ever"},
      {"back\\slash", "back\\\\\\\\slash"},
      {"A=1,B=2", "A=1\\,B=2"}};
  for (const auto& [value, escaped] : cases) {
    EXPECT_EQ(filter_escaped(value), escaped) << value;
  }
}

TEST(CreationTimeTextTest, TextsInUtcAndLocalTime) {
  const RecordingStamp stamp{2021, 1, 17, 17, 33, 16};
  EXPECT_EQ(utc_time_text(stamp), "2021-01-17T17:33:16.000000Z");
  EXPECT_EQ(local_time_text({stamp, 330}), "2021-01-17T17:33:16+0530");
  EXPECT_EQ(local_time_text({stamp, -210}), "2021-01-17T17:33:16-0330");
  EXPECT_EQ(local_time_text({{905, 12, 31, 0, 0, 0}, 0}), "0905-12-31T00:00:00+0000");
  RecordingStamp utc{};
  ASSERT_TRUE(utc_of({{2021, 1, 1, 2, 0, 0}, 540}, &utc));  // 02:00 at +09:00
  EXPECT_EQ(utc_time_text(utc), "2020-12-31T17:00:00.000000Z");
  EXPECT_FALSE(utc_of({stamp, kNoZone}, &utc));
  EXPECT_FALSE(utc_of({{0, 1, 1, 0, 0, 0}, 60}, &utc));  // before the year 0000
}

}  // namespace
}  // namespace zelvok
