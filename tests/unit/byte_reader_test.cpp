#include "model/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

namespace zelvok {
namespace {

constexpr std::array<std::uint8_t, 6> kBytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};

TEST(ByteReaderTest, ReadsBigEndianFields) {
  std::uint8_t u8 = 0;
  std::uint16_t u16 = 0;
  std::uint32_t u32 = 0;
  ASSERT_TRUE(read_u8(kBytes, 5, &u8));
  ASSERT_TRUE(read_u16(kBytes, 4, &u16));
  ASSERT_TRUE(read_u32(kBytes, 2, &u32));
  EXPECT_EQ(u8, 0xBC);
  EXPECT_EQ(u16, 0x9ABC);
  EXPECT_EQ(u32, 0x56789ABCu);
}

TEST(ByteReaderTest, RefusesFieldsThatReachPastTheEnd) {
  constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();
  std::uint8_t u8 = 7;
  std::uint16_t u16 = 7;
  std::uint32_t u32 = 7;
  for (std::uint64_t offset : {std::uint64_t{6}, std::uint64_t{1} << 32, kHuge - 1, kHuge}) {
    EXPECT_FALSE(read_u8(kBytes, offset, &u8)) << offset;
  }
  EXPECT_FALSE(read_u16(kBytes, 5, &u16));
  EXPECT_FALSE(read_u32(kBytes, 3, &u32));
  EXPECT_FALSE(read_u32(kBytes, kHuge - 2, &u32));  // offset + 4 would wrap to 1
  EXPECT_EQ(u8, 7);
  EXPECT_EQ(u16, 7);
  EXPECT_EQ(u32, 7u);
  EXPECT_FALSE(read_u8(ByteSpan(), 0, &u8));
}

TEST(ByteReaderTest, RangesAndTexts) {
  EXPECT_TRUE(has_bytes(kBytes, 0, 6));
  EXPECT_TRUE(has_bytes(kBytes, 6, 0));
  EXPECT_FALSE(has_bytes(kBytes, 7, 0));
  EXPECT_FALSE(has_bytes(kBytes, 1, 6));
  EXPECT_FALSE(has_bytes(kBytes, 1, std::numeric_limits<std::uint64_t>::max()));
  constexpr std::array<std::uint8_t, 4> kPlex = {'P', 'L', 'E', 'X'};
  EXPECT_TRUE(has_text(kPlex, 0, "PLEX"));
  EXPECT_FALSE(has_text(kPlex, 0, "PLEY"));
  EXPECT_FALSE(has_text(kPlex, 1, "LEX_"));
}

}  // namespace
}  // namespace zelvok
