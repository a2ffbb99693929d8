// Where the fields the program uses lie in a playlist file. Offsets are from
// the start of the structure named; all integers are unsigned big-endian.
#pragma once

#include <cstdint>
#include <string_view>

namespace zelvok::layout {

// File header, at offset 0.
inline constexpr std::string_view kMagic = "MPLS0100";      // type and version
inline constexpr std::uint64_t kPlayListAddress = 8;        // u32: P, from file start
inline constexpr std::uint64_t kPlayListMarkAddress = 12;   // u32: M, from file start
inline constexpr std::uint64_t kExtensionDataAddress = 16;  // u32: E, from file start
inline constexpr std::uint64_t kHeaderSize = 20;            // what must be there to find P and E

// PlayList, at P.
inline constexpr std::uint64_t kPlayItemCount = 6;   // u16
inline constexpr std::uint64_t kFirstPlayItem = 10;  // where the records begin

// PlayItem record; the next record starts at record + kRecordLengthSize + length.
inline constexpr std::uint64_t kRecordLength = 0;  // u16: bytes after this field
inline constexpr std::uint64_t kRecordLengthSize = 2;
inline constexpr std::uint64_t kClipName = 2;  // 5 ASCII bytes such as "00000"
inline constexpr std::uint64_t kClipNameSize = 5;
inline constexpr std::string_view kStreamFileExtension = ".m2ts";  // the clip's file in STREAM/
inline constexpr std::uint64_t kConnection = 12;  // u8: the connection condition in the low 4 bits
inline constexpr std::uint8_t kConnectionMask = 0x0F;
inline constexpr std::uint8_t kContinuesRecording = 6;  // a later part of a split recording
inline constexpr std::uint64_t kInTime = 14;            // u32, 45 kHz ticks
inline constexpr std::uint64_t kOutTime = 18;           // u32, 45 kHz ticks
inline constexpr std::uint64_t kRecordUsedSize = 22;    // bytes of a record the program reads

// PlayListMark, at M: a count, then the marks one after the other.
inline constexpr std::uint64_t kMarkCount = 4;  // u16
inline constexpr std::uint64_t kFirstMark = 6;
inline constexpr std::uint64_t kMarkSize = 14;
inline constexpr std::uint64_t kMarkType = 1;      // u8
inline constexpr std::uint64_t kMarkPlayItem = 2;  // u16: index of the PlayItem it marks
inline constexpr std::uint8_t kEntryMark = 1;      // the mark type of a recording's start

// ExtensionData, at E.
inline constexpr std::uint64_t kExtensionLength = 0;  // u32: E + this + 4 is the file size
inline constexpr std::uint64_t kExtensionLengthSize = 4;
inline constexpr std::uint64_t kDataBlockAddress = 4;    // u32: X, from E
inline constexpr std::uint64_t kEntryCount = 11;         // u8
inline constexpr std::uint64_t kFirstEntryId1 = 12;      // u16
inline constexpr std::uint64_t kFirstEntryId2 = 14;      // u16
inline constexpr std::uint64_t kExtensionUsedSize = 16;  // bytes of the header the program reads
inline constexpr std::uint8_t kExpectedEntryCount = 1;
inline constexpr std::uint16_t kPlexId1 = 0x1000;
inline constexpr std::uint16_t kPlexId2 = 0x0100;

// PLEX block, at X.
inline constexpr std::string_view kPlexMagic = "PLEX";  // at offset 0
inline constexpr std::uint64_t kPlexBlockLength = 8;    // u32
inline constexpr std::uint32_t kExpectedPlexBlockLength = 0x144;
inline constexpr std::uint64_t kSceneTableSize = 326;  // u16: S, 66 n + 2
inline constexpr std::uint64_t kSceneCount = 328;      // u16: n
inline constexpr std::uint64_t kFirstScene = 330;      // where the scene entries begin

// Scene entry, 66 bytes each.
inline constexpr std::uint64_t kSceneEntrySize = 66;
inline constexpr std::uint64_t kSceneTableSizeExtra = 2;  // S counts the n field too
inline constexpr std::uint64_t kZone = 10;                // u8, the camera's time zone
inline constexpr std::uint64_t kYear = 11;    // u16, four BCD digits; non-zero when dated
inline constexpr std::uint64_t kMonth = 13;   // u8, two BCD digits
inline constexpr std::uint64_t kDay = 14;     // u8, two BCD digits
inline constexpr std::uint64_t kHour = 15;    // u8, two BCD digits
inline constexpr std::uint64_t kMinute = 16;  // u8, two BCD digits
inline constexpr std::uint64_t kSecond = 17;  // u8, two BCD digits

}  // namespace zelvok::layout
