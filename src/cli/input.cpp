#include "cli/input.h"

#include "folder/find_clips.h"
#include "platform/folders.h"
#include "stream/read_stream.h"

namespace zelvok {

Input open_input(const std::string& name) {
  Input input;
  switch (entry_kind(name)) {
    case EntryKind::kFolder:
      input.kind = InputKind::kFolder;
      return input;
    case EntryKind::kRegular:
      break;
    default:
      return input;  // a FIFO or a device is never opened, whatever its name
  }
  input.file = open_for_reading(name);
  if (input.file.descriptor < 0 || !input.file.regular) {
    return input;
  }
  input.packet_size = file_packet_size(input.file);
  // A clip's name says what it is even when its bytes are damaged or gone.
  const bool clip = input.packet_size != 0 || has_clip_extension(base_name(name));
  input.kind = clip ? InputKind::kClip : InputKind::kPlaylist;
  return input;
}

void close_input(const Input& input) {
  if (input.file.descriptor >= 0) {
    close_file(input.file.descriptor);
  }
}

}  // namespace zelvok
