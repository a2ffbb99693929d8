#include "stream/nal.h"

#include <algorithm>
#include <array>

namespace zelvok {
namespace {

constexpr std::array<std::uint8_t, 3> kStartCode = {0x00, 0x00, 0x01};

}  // namespace

bool next_nal(ByteSpan es, std::uint64_t* at, ByteSpan* nal) {
  if (*at >= es.size()) {
    return false;
  }
  const auto begin = es.begin() + static_cast<std::ptrdiff_t>(*at);
  const auto start = std::search(begin, es.end(), kStartCode.begin(), kStartCode.end());
  if (start == es.end()) {
    *at = es.size();
    return false;
  }
  const auto first = start + kStartCode.size();
  const auto next = std::search(first, es.end(), kStartCode.begin(), kStartCode.end());
  *nal = ByteSpan(first, next);
  *at = static_cast<std::uint64_t>(next - es.begin());
  return true;
}

void unescape(ByteSpan nal, std::vector<std::uint8_t>* rbsp) {
  rbsp->clear();
  unsigned zeros = 0;
  for (const std::uint8_t byte : nal) {
    if (zeros >= 2 && byte == 0x03) {
      zeros = 0;
      continue;
    }
    zeros = byte == 0 ? zeros + 1 : 0;
    rbsp->push_back(byte);
  }
}

}  // namespace zelvok
