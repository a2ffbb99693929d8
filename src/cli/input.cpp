#include "cli/input.h"

#include "platform/folders.h"
#include "stream/read_stream.h"

namespace zelvok {

Input open_input(const std::string& name) {
  Input input;
  if (entry_kind(name) == EntryKind::kFolder) {
    input.kind = InputKind::kFolder;
    return input;
  }
  input.file = open_for_reading(name);
  if (input.file.descriptor < 0 || !input.file.regular) {
    return input;
  }
  input.packet_size = file_packet_size(input.file);
  input.kind = input.packet_size != 0 ? InputKind::kClip : InputKind::kPlaylist;
  return input;
}

void close_input(const Input& input) {
  if (input.file.descriptor >= 0) {
    close_file(input.file.descriptor);
  }
}

}  // namespace zelvok
