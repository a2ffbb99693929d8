// The folder run on a tree that the input describes, laid out in a scratch
// folder: folders (STREAM, PLAYLIST, BACKUP and others), clips and playlists
// with the input's bytes, links back up the tree and to clips. Whatever the
// tree, the run ends, leaves no temporary file, and writes subtitle files
// only beside clips or below the output folder.
//
// Input: one byte of options (bit 0: --overwrite, bit 1: --output-dir, bit 2:
// --format without seconds, bit 3: --zone), then records of an operation
// byte, a two-byte length (big-endian) and that many bytes of content. The operation's low
// three bits say what to make, the rest which name it takes.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "folder/folder_run.h"
#include "fuzz/fuzz_input.h"
#include "messages/console.h"
#include "subtitle/date_format.h"

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 6> kFolderNames = {"STREAM", "PLAYLIST", "BACKUP",
                                                     "stream", "d",        ".hidden"};
constexpr std::array<const char*, 6> kFileNames = {"00000.MTS",   "00001.m2ts", "x.mts",
                                                   "._00000.MTS", "00000.srt",  "00000.MPL"};

void write_bytes(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Lays out the tree the records describe below "tree".
void make_tree(const std::uint8_t* data, std::size_t size) {
  std::vector<fs::path> folders = {"tree"};
  fs::create_directory("tree");
  std::error_code ignored;
  for (std::size_t at = 0; at + 3 <= size;) {
    const std::uint8_t operation = data[at];
    const std::size_t length =
        std::min<std::size_t>(std::size_t{data[at + 1]} << 8 | data[at + 2], size - at - 3);
    const std::uint8_t* content = data + at + 3;
    at += 3 + length;
    const fs::path& here = folders.back();
    const unsigned pick = (operation >> 3) % kFolderNames.size();
    switch (operation & 0x07) {
      case 0:
        fs::create_directory(here / kFolderNames[pick], ignored);
        folders.push_back(here / kFolderNames[pick]);
        break;
      case 1:
        if (folders.size() > 1) {
          folders.pop_back();
        }
        break;
      case 2:
        fs::create_directory_symlink("..", here / "up", ignored);
        break;
      case 3:
        fs::create_symlink(fs::absolute(here / kFileNames[0]), here / "link.MTS", ignored);
        break;
      default:
        write_bytes(here / kFileNames[pick], content, length);
        break;
    }
  }
}

// No temporary file stays, and no subtitle file lies anywhere but beside a
// clip's name or below the output folder.
void check_tree(const fs::path& root) {
  std::error_code ignored;
  for (auto entry = fs::recursive_directory_iterator(root, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    const std::string name = entry->path().filename().string();
    if (name.find(".part") != std::string::npos && name.starts_with('.')) {
      (void)std::fprintf(stderr, "zelvok fuzz: a temporary file stayed: %s\n", name.c_str());
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  (void)zelvok::fuzz::scratch_folder();  // the current folder from here on
  std::error_code ignored;
  fs::remove_all("tree", ignored);
  fs::remove_all("subs", ignored);
  make_tree(data + 1, size - 1);
  zelvok::OutputPlan plan;
  if ((data[0] & 0x04) != 0) {
    (void)zelvok::parse_date_format("%d.%m.%Y %H:%M%n%z", &plan.format);
  }
  if ((data[0] & 0x08) != 0) {
    plan.zone = 540;
  }
  zelvok::FolderOptions options;
  options.overwrite = (data[0] & 0x01) != 0;
  if ((data[0] & 0x02) != 0) {
    options.output_dir = "subs";
  }
  (void)zelvok::run_folders({{"tree", true}}, plan, options, zelvok::fuzz::quiet_console());
  check_tree("tree");
  check_tree("subs");
  return 0;
}
