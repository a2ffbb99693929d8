#include "stream/sound.h"

#include <algorithm>
#include <array>

#include "model/bit_reader.h"

namespace zelvok {
namespace {

constexpr std::uint8_t kMpeg1Audio = 0x03;
constexpr std::uint8_t kMpeg2Audio = 0x04;
constexpr std::uint8_t kAdtsAac = 0x0F;
constexpr std::uint8_t kLatmAac = 0x11;
constexpr std::uint8_t kLpcm = 0x80;  // as Blu-ray and AVCHD store it
constexpr std::uint8_t kAc3 = 0x81;
constexpr std::uint8_t kEac3 = 0x84;
constexpr std::uint8_t kSecondaryEac3 = 0xA1;
constexpr std::array<std::uint8_t, 13> kSoundTypes = {
    kMpeg1Audio, kMpeg2Audio, kAdtsAac, kLatmAac, kLpcm,          kAc3, 0x82,
    0x83,        kEac3,       0x85,     0x86,     kSecondaryEac3, 0xA2};

constexpr std::uint8_t kSyncHigh = 0x0B;  // an AC-3 or E-AC-3 frame starts 0B 77
constexpr std::uint8_t kSyncLow = 0x77;
constexpr std::uint32_t kLastAc3Bsid = 10;  // above: E-AC-3's header
// The full-bandwidth channels of each audio coding mode (acmod), before the
// low-frequency one: 1+1, 1/0, 2/0, 3/0, 2/1, 3/1, 2/2, 3/2.
constexpr std::array<unsigned, 8> kModeChannels = {2, 1, 2, 3, 3, 4, 4, 5};
// LPCM's channel assignment: the channels of each code; 0 for a code unused.
constexpr std::array<unsigned, 12> kLpcmChannels = {0, 1, 0, 2, 3, 3, 4, 4, 5, 6, 7, 8};

// AC-3 and E-AC-3: the channels the first frame's header codes.
unsigned dolby_channels(ByteSpan es) {
  for (std::uint64_t at = 0; has_bytes(es, at, 2); ++at) {
    if (es[at] != kSyncHigh || es[at + 1] != kSyncLow) {
      continue;
    }
    ByteSpan header;
    if (!read_span(es, at, std::min<std::uint64_t>(es.size() - at, 16), &header)) {
      return 0;
    }
    BitReader bits{header, 16};
    std::uint32_t mode = 0;
    // bsid in the top five bits of byte 5; a header cut before it reads as
    // AC-3's, and overruns there.
    std::uint8_t bsid_byte = 0;
    (void)read_u8(header, 5, &bsid_byte);
    if ((bsid_byte >> 3) <= kLastAc3Bsid) {
      (void)read_bits(&bits, 16 + 8 + 8);  // crc1; fscod, frmsizecod; bsid, bsmod
      mode = read_bits(&bits, 3);
      const unsigned mix_bits = ((mode & 1) != 0 && mode != 1 ? 2 : 0) + ((mode & 4) != 0 ? 2 : 0) +
                                (mode == 2 ? 2 : 0);  // cmixlev, surmixlev, dsurmod
      (void)read_bits(&bits, mix_bits);
    } else {
      (void)read_bits(&bits, 2 + 3 + 11 + 2 + 2);  // strmtyp to numblkscod
      mode = read_bits(&bits, 3);
    }
    const bool low_frequency = read_flag(&bits);
    return bits.overrun ? 0 : kModeChannels[mode] + (low_frequency ? 1 : 0);
  }
  return 0;
}

// AAC in ADTS frames: the channel configuration of the first.
unsigned adts_channels(ByteSpan es) {
  for (std::uint64_t at = 0; has_bytes(es, at, 4); ++at) {
    if (es[at] == 0xFF && (es[at + 1] & 0xF6) == 0xF0) {
      const unsigned configuration = ((es[at + 2] & 1u) << 2) | (es[at + 3] >> 6);
      return configuration == 7 ? 8 : configuration;
    }
  }
  return 0;
}

// MPEG audio: mono, or two channels.
unsigned mpeg_audio_channels(ByteSpan es) {
  for (std::uint64_t at = 0; has_bytes(es, at, 4); ++at) {
    if (es[at] == 0xFF && (es[at + 1] & 0xE0) == 0xE0) {
      return (es[at + 3] >> 6) == 3 ? 1 : 2;
    }
  }
  return 0;
}

}  // namespace

bool is_sound_type(std::uint8_t stream_type) {
  return std::find(kSoundTypes.begin(), kSoundTypes.end(), stream_type) != kSoundTypes.end();
}

unsigned sound_channels(std::uint8_t stream_type, ByteSpan es) {
  std::uint8_t assignment = 0;
  switch (stream_type) {
    case kLpcm:
      // A header of four bytes: the payload's size, then the assignment.
      return read_u8(es, 2, &assignment) && (assignment >> 4) < kLpcmChannels.size()
                 ? kLpcmChannels[assignment >> 4]
                 : 0;
    case kAc3:
    case kEac3:
    case kSecondaryEac3:
      return dolby_channels(es);
    case kAdtsAac:
      return adts_channels(es);
    case kMpeg1Audio:
    case kMpeg2Audio:
      return mpeg_audio_channels(es);
    default:
      return 0;
  }
}

}  // namespace zelvok
