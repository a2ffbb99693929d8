#include "platform/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <random>

#include "platform/folders.h"
#include "platform/interruption.h"

namespace zelvok {
namespace {

// The longest name most file systems hold, in bytes.
constexpr std::size_t kLongestName = 255;
constexpr std::size_t kRandomLetters = 8;
constexpr int kAttempts = 32;

// Letters that no file system folds or refuses.
std::string random_letters() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr std::string_view kLetters = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string letters(kRandomLetters, ' ');
  std::generate(letters.begin(), letters.end(), [&] { return kLetters[pick(generator)]; });
  return letters;
}

// ".NAME.random.part" beside the target, which tells whose it is; a name too
// long for that gets ".random.part". Names beginning with "." are passed over
// by the folder walk and by players.
std::string temporary_name(const std::string& target) {
  const std::string name = base_name(target);
  std::string ending = ".";
  ending.append(random_letters()).append(".part");
  std::string hidden;
  if (name.size() + 1 + ending.size() <= kLongestName) {
    hidden.append(".").append(name);
  }
  hidden.append(ending);
  return joined(folder_part(target), hidden);
}

}  // namespace

int create_temporary_beside(const std::string& target, std::string* temporary) {
  int file = -1;
  for (int attempt = 0; attempt < kAttempts && file < 0; ++attempt) {
    *temporary = temporary_name(target);
    if (!note_temporary(*temporary)) {
      break;
    }
    file = create_new_file(*temporary);
    if (file < 0) {
      const bool taken = errno == EEXIST;
      forget_temporary(*temporary);
      if (!taken) {
        break;  // only a name already taken is worth another
      }
    }
  }
  return file;
}

void remove_temporary(const std::string& temporary) {
  // A program started on it (ffmpeg) may have left an empty folder there.
  if (!remove_file(temporary)) {
    (void)remove_empty_folder(temporary);
  }
  forget_temporary(temporary);
}

namespace {

bool move_temporary(const std::string& temporary, const std::string& target, bool replace) {
  if (!move_into_place(temporary, target, replace)) {
    remove_temporary(temporary);
    return false;
  }
  forget_temporary(temporary);
  return true;
}

}  // namespace

bool put_temporary_in_place(const std::string& temporary, const std::string& target, bool replace) {
  if (place_kind(temporary) != EntryKind::kRegular) {
    remove_temporary(temporary);
    return false;
  }
  return move_temporary(temporary, target, replace);
}

std::string write_temporary_beside(const std::string& target, std::string_view bytes) {
  std::string temporary;
  const int file = create_temporary_beside(target, &temporary);
  if (file < 0) {
    return {};
  }
  const bool written = write_fully(file, bytes.data(), bytes.size());
  if (!close_file(file) || !written) {
    remove_temporary(temporary);
    return {};
  }
  return temporary;
}

bool write_whole_file(const std::string& target, std::string_view bytes, bool replace) {
  const std::string temporary = write_temporary_beside(target, bytes);
  // Made new here and written through its own descriptor: a regular file.
  return !temporary.empty() && move_temporary(temporary, target, replace);
}

}  // namespace zelvok
