#include "burn/burn_filter.h"

#include <cstdint>

#include "ffmpeg/command.h"

namespace zelvok {
namespace {

constexpr std::uint64_t kTextPart = 20;    // the text's size: this part of the height
constexpr std::uint64_t kMarginPart = 30;  // each margin: this part of the height
constexpr std::uint64_t kOutlinePart = 360;
constexpr std::uint64_t kHundredths = 100;

// A number of hundredths as a decimal text: "54", "28.8", "0.75".
std::string decimal(std::uint64_t hundredths) {
  std::string text = std::to_string(hundredths / kHundredths);
  const std::uint64_t rest = hundredths % kHundredths;
  if (rest != 0) {
    text += '.';
    text += static_cast<char>('0' + rest / 10);
    if (rest % 10 != 0) {
      text += static_cast<char>('0' + rest % 10);
    }
  }
  return text;
}

// `numerator` / `denominator` rounded half up.
std::uint64_t rounded(std::uint64_t numerator, std::uint64_t denominator) {
  return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

std::string drawing_style(const Picture& picture) {
  // The style's own pixels are the picture's: sizes need no scaling. A
  // picture whose size the stream did not tell is drawn on the drawing
  // library's own canvas, which it scales to the picture.
  constexpr Picture kCanvas{384, 288, false};
  const Picture& canvas = picture.height == 0 || picture.width == 0 ? kCanvas : picture;
  const std::uint64_t height = canvas.height;
  const std::string margin = std::to_string(rounded(height, kMarginPart));
  return "PlayResX=" + std::to_string(canvas.width) + ",PlayResY=" + std::to_string(height) +
         ",FontSize=" + decimal(rounded(height * kHundredths, kTextPart)) + ",MarginR=" + margin +
         ",MarginV=" + margin +
         ",Alignment=3,PrimaryColour=&H00FFFFFF,OutlineColour=&H00000000,BorderStyle=1" +
         ",Outline=" + decimal(rounded(height * kHundredths, kOutlinePart)) + ",Shadow=0";
}

std::string filter_escaped(std::string_view value) {
  // First the option's own level ('\'', '\\' and ':' escaped), then the
  // graph's ('\'', '\\', '[', ']', ',' and ';').
  std::string option;
  for (const char c : value) {
    if (c == '\'' || c == '\\' || c == ':') {
      option += '\\';
    }
    option += c;
  }
  std::string graph;
  for (const char c : option) {
    if (c == '\'' || c == '\\' || c == '[' || c == ']' || c == ',' || c == ';') {
      graph += '\\';
    }
    graph += c;
  }
  return graph;
}

void add_burned_video(const FfmpegJob& job, const std::string& drawn_cues,
                      std::vector<std::string>* command) {
  const std::string filter = std::string(kDrawingFilter) +
                             "=filename=" + filter_escaped(file_url(drawn_cues)) +
                             ":force_style=" + filter_escaped(drawing_style(job.media.picture));
  command->insert(command->end(), {"-filter:v:0", filter, "-c:v", std::string(kDrawingEncoder),
                                   "-crf", "18", "-preset", "medium", "-fps_mode", "passthrough"});
  if (job.media.picture.interlaced) {
    // Interlaced stays interlaced, each frame's field order as the clip's.
    command->insert(command->end(), {"-flags:v:0", "+ildct+ilme"});
  }
}

}  // namespace zelvok
