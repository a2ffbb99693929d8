#include "fuzz/fuzz_input.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/run_options.h"

namespace zelvok::fuzz {
namespace {

// Forms with and without seconds, names, a 12-hour clock, zones, line breaks,
// seconds twice, and a text that never changes.
constexpr std::array<const char*, 7> kFormats = {
    "--format=%H:%M",       "--format=%a %d %b %Y %I:%M:%S %p %z",
    "--format=%S",          "--format=%Y",
    "--format=Holiday%n%e", "--format=%y%m%d%H%M%S%S",
    "--format=%A %B %z%%"};
constexpr std::array<const char*, 4> kZones = {"--zone=+9:00", "--zone=-5:30", "--zone=0:00",
                                               "--zone=-23:59"};

}  // namespace

const Console& quiet_console() {
  static const Console console{std::fopen("/dev/null", "w"), ConsoleEncoding::kShiftJis};
  return console;
}

const std::filesystem::path& scratch_folder() {
  static const std::filesystem::path folder = [] {
    const char* base = std::getenv("ZELVOK_FUZZ_DIR");
    std::string pattern =
        (std::filesystem::path(base != nullptr ? base
                                               : std::filesystem::temp_directory_path().string()) /
         "zelvok-fuzz-XXXXXX")
            .string();
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
      std::perror("zelvok fuzz: scratch folder");
      std::abort();
    }
    return std::filesystem::path(pattern);
  }();
  return folder;
}

FuzzInput split_input(const std::uint8_t* data, std::size_t size) {
  FuzzInput input{{}, kDefaultOutputName, {}};
  if (size < kOptionBytes) {
    input.playlist = std::span<const std::uint8_t>(data, size);
    return input;
  }
  const std::uint8_t flags = data[0];
  if ((flags & 1) != 0) {
    input.arguments.insert(input.arguments.end(),
                           {"-s", std::to_string(static_cast<std::int8_t>(data[1]))});
  }
  if ((flags & 2) != 0) {
    input.arguments.insert(input.arguments.end(),
                           {"-e", std::to_string(static_cast<std::int8_t>(data[2]))});
  }
  if ((flags & 4) != 0) {
    input.output_name = "pl000.srt";
  }
  if ((flags & 8) != 0) {
    input.output_name = "00000.srt";
  }
  if ((flags & 12) != 0) {
    input.arguments.insert(input.arguments.end(), {"-o", input.output_name});
  }
  if ((flags & 16) != 0) {
    input.arguments.emplace_back("--shift=-1:00:01");
  }
  if ((flags & 32) != 0) {
    input.arguments.emplace_back("--shift=+87600:00");
  }
  if ((flags & 64) != 0) {
    input.arguments.emplace_back(kFormats[data[1] % kFormats.size()]);
  }
  if ((flags & 128) != 0) {
    input.arguments.emplace_back(kZones[data[2] % kZones.size()]);
  }
  input.playlist = std::span<const std::uint8_t>(data + kOptionBytes, size - kOptionBytes);
  return input;
}

bool write_input(std::span<const std::uint8_t> playlist) {
  std::FILE* file = std::fopen(kInputName, "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(playlist.data(), 1, playlist.size(), file) == playlist.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace zelvok::fuzz
