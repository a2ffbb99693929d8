#include "mkv/mkv_output.h"

namespace zelvok {

// Matroska plays what camcorders record: the sound is copied, and the dates
// keep their text as SubRip.
void add_mkv_output(const FfmpegJob& /*job*/, std::vector<std::string>* command) {
  command->insert(command->end(), {"-c:a", "copy", "-c:s", "srt", "-f", "matroska"});
}

}  // namespace zelvok
