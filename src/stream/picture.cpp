#include "stream/picture.h"

#include <algorithm>
#include <array>
#include <vector>

#include "model/bit_reader.h"
#include "stream/nal.h"

namespace zelvok {
namespace {

constexpr std::uint32_t kMacroblock = 16;         // pixels on a side
constexpr std::uint32_t kMostMacroblocks = 1024;  // on a side: far beyond any camera's picture
constexpr std::uint32_t kMostPocCycle = 255;

// The profiles whose parameter sets carry the chroma format, bit depths and
// scaling matrices.
constexpr std::array<std::uint32_t, 13> kHighProfiles = {100, 110, 122, 244, 44,  83, 86,
                                                         118, 128, 138, 139, 134, 135};

void skip_scaling_list(BitReader* bits, unsigned size) {
  std::int64_t last = 8;
  std::int64_t next = 8;
  for (unsigned k = 0; k < size && !bits->overrun; ++k) {
    if (next != 0) {
      next = (last + read_signed_golomb(bits) + 256) % 256;
    }
    last = next == 0 ? last : next;
  }
}

// The fields of the high profiles; the chroma format (1 for 4:2:0 when
// absent).
std::uint32_t read_high_profile(BitReader* bits) {
  const std::uint32_t chroma_format = read_golomb(bits);
  if (chroma_format == 3) {
    (void)read_flag(bits);  // separate_colour_plane_flag
  }
  (void)read_golomb(bits);  // bit_depth_luma_minus8
  (void)read_golomb(bits);  // bit_depth_chroma_minus8
  (void)read_flag(bits);    // qpprime_y_zero_transform_bypass_flag
  if (read_flag(bits)) {    // seq_scaling_matrix_present_flag
    const unsigned lists = chroma_format == 3 ? 12 : 8;
    for (unsigned k = 0; k < lists; ++k) {
      if (read_flag(bits)) {
        skip_scaling_list(bits, k < 6 ? 16 : 64);
      }
    }
  }
  return chroma_format;
}

// The picture order count fields; false when they cannot be.
bool skip_picture_order(BitReader* bits) {
  const std::uint32_t type = read_golomb(bits);
  if (type == 0) {
    (void)read_golomb(bits);  // log2_max_pic_order_cnt_lsb_minus4
  } else if (type == 1) {
    (void)read_flag(bits);           // delta_pic_order_always_zero_flag
    (void)read_signed_golomb(bits);  // offset_for_non_ref_pic
    (void)read_signed_golomb(bits);  // offset_for_top_to_bottom_field
    const std::uint32_t cycle = read_golomb(bits);
    if (cycle > kMostPocCycle) {
      return false;
    }
    for (std::uint32_t k = 0; k < cycle; ++k) {
      (void)read_signed_golomb(bits);
    }
  }
  return type <= 2;
}

bool read_sps(ByteSpan rbsp, Picture* picture) {
  BitReader bits{rbsp};
  const std::uint32_t profile = read_bits(&bits, 8);
  (void)read_bits(&bits, 16);  // constraint flags, level_idc
  (void)read_golomb(&bits);    // seq_parameter_set_id
  const bool high =
      std::find(kHighProfiles.begin(), kHighProfiles.end(), profile) != kHighProfiles.end();
  const std::uint32_t chroma_format = high ? read_high_profile(&bits) : 1;
  (void)read_golomb(&bits);  // log2_max_frame_num_minus4
  if (!skip_picture_order(&bits)) {
    return false;
  }
  (void)read_golomb(&bits);  // max_num_ref_frames
  (void)read_flag(&bits);    // gaps_in_frame_num_value_allowed_flag
  const std::uint32_t width_mbs = read_golomb(&bits) + 1;
  const std::uint32_t height_units = read_golomb(&bits) + 1;
  const bool frames_only = read_flag(&bits);
  if (!frames_only) {
    (void)read_flag(&bits);  // mb_adaptive_frame_field_flag
  }
  (void)read_flag(&bits);         // direct_8x8_inference_flag
  std::uint64_t crop_across = 0;  // left and right
  std::uint64_t crop_down = 0;    // top and bottom
  if (read_flag(&bits)) {
    crop_across = std::uint64_t{read_golomb(&bits)} + read_golomb(&bits);
    crop_down = std::uint64_t{read_golomb(&bits)} + read_golomb(&bits);
  }
  const std::uint32_t fields = frames_only ? 1 : 2;
  if (bits.overrun || chroma_format > 3 || width_mbs > kMostMacroblocks ||
      height_units * fields > kMostMacroblocks) {
    return false;
  }
  // Cropping counts chroma samples: two pixels across in 4:2:0 and 4:2:2,
  // two down in 4:2:0, and twice as many down in a picture of fields.
  const std::uint32_t crop_x = chroma_format == 1 || chroma_format == 2 ? 2 : 1;
  const std::uint32_t crop_y = (chroma_format == 1 ? 2 : 1) * fields;
  const std::uint64_t cut_x = crop_x * crop_across;
  const std::uint64_t cut_y = crop_y * crop_down;
  const std::uint64_t full_x = std::uint64_t{width_mbs} * kMacroblock;
  const std::uint64_t full_y = std::uint64_t{height_units} * fields * kMacroblock;
  if (cut_x >= full_x || cut_y >= full_y) {
    return false;
  }
  *picture = Picture{};
  picture->width = static_cast<std::uint32_t>(full_x - cut_x);
  picture->height = static_cast<std::uint32_t>(full_y - cut_y);
  picture->interlaced = !frames_only;
  return true;
}

}  // namespace

bool read_picture(ByteSpan es, Picture* picture) {
  std::uint64_t at = 0;
  ByteSpan nal;
  std::vector<std::uint8_t> rbsp;
  while (next_nal(es, &at, &nal)) {
    std::uint8_t header = 0;
    if (read_u8(nal, 0, &header) && (header & kNalTypeMask) == kSpsNal) {
      unescape(nal.subspan(1), &rbsp);
      return read_sps(rbsp, picture);
    }
  }
  return false;
}

}  // namespace zelvok
