// Letters compared without regard to case, by ASCII rules alone, as names
// on a card (STREAM, .MTS, .MPL), option letters and locale charsets are:
// other bytes compare as they are, whatever the locale. Nothing allocates
// but lower_case.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace zelvok {

inline char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool same_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lower_ascii(x) == lower_ascii(y);
         });
}

inline bool ends_with_ignoring_case(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         same_ignoring_case(text.substr(text.size() - ending.size()), ending);
}

inline std::string lower_case(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), lower_ascii);
  return text;
}

}  // namespace zelvok
