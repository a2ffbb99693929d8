#include "ffmpeg/capabilities.h"

#include <sstream>
#include <string_view>

#include "burn/burn_filter.h"
#include "platform/process.h"

namespace zelvok {
namespace {

constexpr std::size_t kLongestLine = 500;

// True when ffmpeg's `listing` (-filters or -encoders) has a line whose
// second word is `name`: " ... subtitles  V->V  Render...", " V....D libx264
// libx264 H.264 ...".
bool lists(const std::string& ffmpeg, const char* listing, std::string_view name) {
  ChildProcess child = start_process({ffmpeg, "-hide_banner", "-nostdin", listing});
  if (!child.started) {
    return false;
  }
  bool found = false;
  std::string line;
  while (read_line(&child, kLongestLine, &line)) {
    std::istringstream words(line);
    std::string flags;
    std::string word;
    found = found || (words >> flags >> word && word == name);
  }
  (void)finish_process(&child);
  return found;
}

}  // namespace

std::string missing_for_drawing(const std::string& ffmpeg) {
  std::string missing;
  if (!lists(ffmpeg, "-filters", kDrawingFilter)) {
    missing = kDrawingFilter;
  }
  if (!lists(ffmpeg, "-encoders", kDrawingEncoder)) {
    missing += missing.empty() ? "" : ", ";
    missing += kDrawingEncoder;
  }
  return missing;
}

}  // namespace zelvok
