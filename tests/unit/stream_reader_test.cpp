// Clips read from their own streams, in memory: streams built with the
// traits of real camcorder clips, each broken in the ways a reader must
// survive. The expected times are worked out by hand from the plans.
#include "stream/read_stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/recording_stamp.h"
#include "platform/folders.h"
#include "stream/clip_timeline.h"
#include "stream/read_clip_media.h"
#include "stream/sound.h"
#include "subtitle/date_format.h"
#include "support/playlist_builder.h"
#include "support/requirements.h"
#include "support/run_program.h"
#include "support/stream_builder.h"

namespace zelvok {
namespace {

using testing::date_tags;
using testing::MdpmTag;
using testing::SeiMessage;
using testing::StreamPlan;

// The real clip's traits; its slices are small enough for a quick suite and
// large enough to span packets.
StreamPlan real_clip() {
  StreamPlan plan = testing::ticking_clip();
  for (testing::FramePlan& frame : plan.frames) {
    frame.slice_bytes = 3000;
  }
  return plan;
}

// The frame presented at `k` (ms after zero = 40 k).
testing::FramePlan& presented(StreamPlan* plan, std::uint64_t k) {
  for (testing::FramePlan& frame : plan->frames) {
    if (frame.pts == 54000 + 3600 * k) {
      return frame;
    }
  }
  return plan->frames.front();
}

// The clip with its clock moved so that the frame presented at `k` shows 0,
// those before it near the top of the 33-bit clock.
void wrap_at(StreamPlan* plan, std::uint64_t k) {
  constexpr std::uint64_t kWrap = std::uint64_t{1} << 33;
  const std::uint64_t offset = kWrap - (54000 + 3600 * k);
  for (testing::FramePlan& frame : plan->frames) {
    frame.pts = (frame.pts + offset) % kWrap;
    if (frame.dts) {
      frame.dts = (*frame.dts + offset) % kWrap;
    }
  }
}

struct StreamCase {
  const char* what;
  std::function<void(StreamPlan*)> change;
  const char* date;  // the clip's date, or "" when it has none
  std::uint64_t first_cue_ms;
  std::uint32_t length_ms;
};

class StreamShapeTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamShapeTest, DatesTheClipFromItsFrames) {
  StreamPlan plan = real_clip();
  GetParam().change(&plan);
  const std::vector<std::uint8_t> bytes = testing::build_stream(plan);
  Playlist playlist;
  const bool dated = clip_from_stream(bytes, {}, "00000.MTS", &playlist);
  ASSERT_EQ(dated, !std::string(GetParam().date).empty());
  if (!dated) {
    return;
  }
  ASSERT_EQ(playlist.play_items.size(), 1u);
  const PlayItem& item = playlist.play_items[0];
  EXPECT_EQ(format_stamp(decode_stamp(playlist.scenes[item.scene])), GetParam().date);
  EXPECT_EQ(item.first_cue_ms, GetParam().first_cue_ms);
  EXPECT_EQ(duration_ms(item), GetParam().length_ms);
  EXPECT_EQ(item.clip_name, "00000");
  EXPECT_EQ(item.stream_file, "00000.MTS");
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StreamShapeTest,
    ::testing::Values(
        StreamCase{"real_traits", [](StreamPlan*) {}, "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"packets_of_188", [](StreamPlan* p) { p->packet_size = 188; },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"program_map_first", [](StreamPlan* p) { p->map_first = true; },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"other_video_pid", [](StreamPlan* p) { p->video_pid = 0x0E01; },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"pes_headers_run_on",
                   [](StreamPlan* p) {
                     for (testing::FramePlan& frame : p->frames) {
                       frame.header_runs_on = true;
                     }
                   },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"last_packets_cut", [](StreamPlan* p) { p->cut = 4 * 192 + 100; },
                   "2021/01/17 17:33:16", 520, 1440},
        // The clock never ticks within the frames: the first cue is a second.
        StreamCase{"no_tick",
                   [](StreamPlan* p) {
                     for (std::uint64_t k = 13; k < 36; ++k) {
                       presented(p, k).sei[0].tags = date_tags(0x46, 2021, 1, 17, 17, 33, 16);
                     }
                   },
                   "2021/01/17 17:33:16", 1000, 1440},
        // The zone is not part of the date: another zone byte is no tick.
        StreamCase{"zone_aside",
                   [](StreamPlan* p) {
                     for (std::uint64_t k = 13; k < 36; ++k) {
                       presented(p, k).sei[0].tags = date_tags(0x1E, 2021, 1, 17, 17, 33, 16);
                     }
                   },
                   "2021/01/17 17:33:16", 1000, 1440},
        // Undated frames first: the earliest dated one dates the clip, whose
        // zero stays the first frame.
        StreamCase{"undated_first_frames",
                   [](StreamPlan* p) {
                     for (std::uint64_t k = 0; k < 5; ++k) {
                       presented(p, k).sei.clear();
                     }
                   },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"clock_wraps_in_first_second", [](StreamPlan* p) { wrap_at(p, 5); },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"clock_wraps_after_the_tick", [](StreamPlan* p) { wrap_at(p, 20); },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"one_frame", [](StreamPlan* p) { p->frames.resize(1); }, "2021/01/17 17:33:16",
                   1000, 0},
        // The date split over two MDPM messages, after a message of 300 bytes
        // whose size needs a 0xFF byte.
        StreamCase{"date_over_messages",
                   [](StreamPlan* p) {
                     const std::vector<MdpmTag> date = date_tags(0x46, 2000, 1, 1, 0, 0, 3);
                     SeiMessage other{false, {}, 300, std::nullopt, std::nullopt};
                     SeiMessage year{true, {date[0]}, 0, std::nullopt, std::nullopt};
                     SeiMessage time{true, {date[1]}, 0, std::nullopt, std::nullopt};
                     for (testing::FramePlan& frame : p->frames) {
                       frame.sei = {other, year, time};
                     }
                   },
                   "2000/01/01 00:00:03", 1000, 1440},
        // The first of a repeated tag counts.
        StreamCase{"repeated_tag",
                   [](StreamPlan* p) {
                     std::vector<MdpmTag> tags = date_tags(0x46, 2008, 12, 31, 23, 16, 24);
                     tags.push_back(date_tags(0x46, 2009, 1, 1, 0, 0, 0)[1]);
                     tags.push_back(date_tags(0x46, 2009, 1, 1, 0, 0, 0)[0]);
                     for (testing::FramePlan& frame : p->frames) {
                       frame.sei[0].tags = tags;
                     }
                   },
                   "2008/12/31 23:16:24", 1000, 1440},
        // A message longer than its NAL unit is dropped; the one before counts.
        StreamCase{"message_too_long",
                   [](StreamPlan* p) {
                     for (testing::FramePlan& frame : p->frames) {
                       SeiMessage broken{true, date_tags(0x46, 2030, 1, 1, 0, 0, 0), 0,
                                         std::nullopt, 5000};
                       frame.sei.push_back(broken);
                     }
                   },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"count_past_the_message",
                   [](StreamPlan* p) {
                     for (testing::FramePlan& frame : p->frames) {
                       frame.sei[0].tag_count = 200;
                     }
                   },
                   "2021/01/17 17:33:16", 520, 1440},
        StreamCase{"only_the_date_of_a_frame_without_day",
                   [](StreamPlan* p) {
                     for (testing::FramePlan& frame : p->frames) {
                       frame.sei[0].tags = {date_tags(0x46, 2021, 1, 17, 0, 0, 0)[0]};
                     }
                   },
                   "", 0, 0},
        StreamCase{"no_sei",
                   [](StreamPlan* p) {
                     for (testing::FramePlan& frame : p->frames) {
                       frame.sei.clear();
                     }
                   },
                   "", 0, 0},
        StreamCase{"no_video_listed", [](StreamPlan* p) { p->video_listed = false; }, "", 0, 0},
        StreamCase{"no_frames", [](StreamPlan* p) { p->frames.clear(); }, "", 0, 0}),
    [](const ::testing::TestParamInfo<StreamCase>& shape) { return shape.param.what; });

// The head may end anywhere; the greatest PTS then comes from the tail,
// which starts on a packet boundary.
TEST(StreamTailTest, TheLastFrameComesFromTheTail) {
  const std::vector<std::uint8_t> bytes = testing::build_stream(real_clip());
  const std::size_t head_size = bytes.size() / 2 + 77;  // frame 13 is the 15th of 36 in the file
  const std::size_t tail_at = (bytes.size() - bytes.size() / 4) / 192 * 192;
  const ByteSpan all(bytes.data(), bytes.size());
  Playlist with_tail;
  ASSERT_TRUE(clip_from_stream(all.first(head_size), all.subspan(tail_at), "c.m2ts", &with_tail));
  EXPECT_EQ(duration_ms(with_tail.play_items[0]), 1440u);
  EXPECT_EQ(with_tail.play_items[0].first_cue_ms, 520u);
  EXPECT_EQ(with_tail.play_items[0].clip_name, "c");
  Playlist head_only;
  ASSERT_TRUE(clip_from_stream(all.first(head_size), {}, "c.m2ts", &head_only));
  EXPECT_LT(duration_ms(head_only.play_items[0]), 1440u);
}

// A clip larger than the head the program reads, its clock wrapping in the
// middle: its end is read from the file's last 2 MiB, on the packet grid,
// and read on the same clock as its head.
TEST(StreamTailTest, ALongClipEndsWhereItsTailSays) {
  StreamPlan plan = real_clip();
  for (testing::FramePlan& frame : plan.frames) {
    frame.slice_bytes = 150000;  // two fields of it: 36 frames of 11 MB
  }
  wrap_at(&plan, 18);
  const std::vector<std::uint8_t> bytes = testing::build_stream(plan);
  ASSERT_GT(bytes.size(), std::size_t{10} << 20);  // more than head and tail together
  testing::TempFolder folder;
  const std::string name = (folder.path / "00007.MTS").string();
  testing::write_file(name, bytes);
  Playlist playlist;
  ASSERT_EQ(read_clip_file(name, &playlist), StreamFault::kNone);
  EXPECT_EQ(duration_ms(playlist.play_items[0]), 1440u);
  EXPECT_EQ(playlist.play_items[0].first_cue_ms, 520u);
}

TEST(StreamNameTest, BaseNamesAndSubtitleNames) {
  const std::pair<const char*, const char*> names[] = {
      {"STREAM/00000.MTS", "00000"}, {"/a/b/my.clip.m2ts", "my.clip"}, {"clip", "clip"},
      {"dir.x/clip", "clip"},        {".hidden", ".hidden"},           {"a.", "a"}};
  for (const auto& [path, clip] : names) {
    EXPECT_EQ(clip_name_of(base_name(path)), clip) << path;
  }
}

}  // namespace
}  // namespace zelvok

namespace zelvok {
namespace {

// What ffprobe shows of the real clips: the picture's size and fields, each
// sound track's channels, the first decoded frame's PTS and the step between
// decoded frames (25 a second: each PES holds both fields).
TEST(ClipMediaTest, TheRealClipsAsFfprobeSeesThem) {
  struct RealClip {
    const char* name;
    std::uint32_t width;
    std::uint32_t height;
    bool interlaced;
    std::vector<unsigned> channels;
    std::uint64_t first_shown_pts;
    std::uint64_t frame_ticks;
  };
  const RealClip clips[] = {{"drewnoakes_metadata-extractor-images_Sony_ILCE-7M3.mts",
                             1920,
                             1080,
                             true,
                             {2},
                             93600,
                             3600},
                            // The Canon head: one frame, coded as fields, as its SPS says.
                            {"exiftool_t_images_M2TS.mts", 1920, 1080, true, {2}, 54242, 0}};
  for (const RealClip& real : clips) {
    const std::filesystem::path clip = std::filesystem::path(ZELVOK_SAMPLES_DIR) / real.name;
    ZELVOK_REQUIRE(std::filesystem::exists(clip), "the real clips beside the checkout");
    const std::string bytes = testing::read_file(clip);
    ClipMedia media;
    ASSERT_TRUE(media_from_head(
        ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), &media))
        << real.name;
    EXPECT_TRUE(media.has_picture) << real.name;
    EXPECT_EQ(media.picture.width, real.width) << real.name;
    EXPECT_EQ(media.picture.height, real.height) << real.name;
    EXPECT_EQ(media.picture.interlaced, real.interlaced) << real.name;
    std::vector<unsigned> channels;
    for (const SoundTrack& sound : media.sounds) {
      channels.push_back(sound.channels);
    }
    EXPECT_EQ(channels, real.channels) << real.name;
    EXPECT_EQ(media.first_shown_pts, real.first_shown_pts) << real.name;
    EXPECT_EQ(media.frame_ticks, real.frame_ticks) << real.name;
  }
}

// The channels of a sound track's first frame, from headers typed by hand.
TEST(SoundChannelsTest, EachKindOfHeader) {
  struct Case {
    const char* what;
    std::uint8_t type;
    std::vector<std::uint8_t> es;
    unsigned channels;
  };
  const Case cases[] = {
      // AC-3: sync, crc, 48 kHz / 448 kb/s, bsid 8, then acmod, mix levels, lfeon.
      {"AC-3 3/2 and LFE", 0x81, {0x0B, 0x77, 0, 0, 0x1C, 0x40, 0b11100101, 0b00000000}, 6},
      {"AC-3 2/0, dsurmod", 0x81, {0x0B, 0x77, 0, 0, 0x1C, 0x40, 0b01000000, 0}, 2},
      {"AC-3 1/0 with LFE, after other bytes", 0x81, {0xAA, 0x0B, 0x77, 0, 0, 0x1C, 0x40, 0x30}, 2},
      {"AC-3 1/0", 0x81, {0x0B, 0x77, 0, 0, 0x1C, 0x40, 0b00100000}, 1},
      {"AC-3 cut in its header", 0x81, {0x0B, 0x77, 0, 0, 0x1C}, 0},
      // E-AC-3: strmtyp, substreamid, frmsiz (11 bits), fscod, numblkscod, acmod, lfeon.
      {"E-AC-3 3/2 and LFE", 0x84, {0x0B, 0x77, 0x00, 0x00, 0b00111111, 0x80}, 6},
      {"LPCM stereo", 0x80, {0x03, 0xC0, 0x31, 0x40}, 2},
      {"LPCM 5.1", 0x80, {0x07, 0x80, 0x91, 0x40}, 6},
      {"LPCM unused code", 0x80, {0x03, 0xC0, 0xF1, 0x40}, 0},
      {"AAC stereo", 0x0F, {0xFF, 0xF1, 0x50, 0x80, 0x2E, 0x7F, 0xFC}, 2},
      {"AAC 5.1", 0x0F, {0xFF, 0xF1, 0x4D, 0x80, 0x2E, 0x7F, 0xFC}, 6},
      {"MPEG audio mono", 0x03, {0xFF, 0xFD, 0x90, 0xC4}, 1},
      {"a type with no header read", 0x86, {0x7F, 0xFE, 0x80, 0x01}, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(sound_channels(c.type, c.es), c.channels) << c.what;
  }
}

}  // namespace
}  // namespace zelvok
