// Running the built program as a user would, in a folder of its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/messages.h"

namespace zelvok::testing {

struct ProgramResult {
  int status;          // exit status as the shell sees it (255 for -1)
  std::string output;  // every byte written to standard output
  std::string errors;  // every byte written to standard error
};

// A resource limit (setrlimit) set in the child before it starts the program.
struct ResourceLimit {
  int resource;  // RLIMIT_FSIZE, RLIMIT_AS, ...
  std::uint64_t value;
};

// Runs `command` (a program found on PATH, then its arguments) in `folder`,
// its output to pipes. Every program here runs in the C locale (LC_ALL=C,
// and none of LC_MESSAGES, LC_CTYPE, LANG and LANGUAGE set) with `locale`'s
// settings on top: "NAME=value" each, an empty value for a variable not set.
ProgramResult run_program(const std::vector<std::string>& command,
                          const std::filesystem::path& folder,
                          std::optional<ResourceLimit> limit = std::nullopt,
                          const std::vector<std::string>& locale = {});

// Runs the zelvok binary with `arguments` in `folder`, output to pipes.
ProgramResult run_zelvok(const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder,
                         std::optional<ResourceLimit> limit = std::nullopt);

// The same in the locale `locale` sets, as run_program takes it.
ProgramResult run_zelvok_in_locale(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& folder,
                                   const std::vector<std::string>& locale,
                                   std::optional<ResourceLimit> limit = std::nullopt);

// Starts the zelvok binary in `folder` with its output thrown away, and
// returns at once: its process id.
int start_zelvok(const std::vector<std::string>& arguments, const std::filesystem::path& folder);

// Waits for a program start_zelvok started: its exit status, or 1000 + the
// signal that ended it.
int wait_for_program(int process);

// Runs the zelvok binary with its standard output on a pipe that nobody
// reads any more; returns the exit status.
int run_zelvok_unread(const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

// Runs the zelvok binary with its standard output on a terminal (a
// pseudo-terminal), in the locale `locale` sets, as run_program takes it;
// returns what the terminal received.
std::string run_zelvok_on_terminal(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& folder,
                                   const std::vector<std::string>& locale);

// The command that starts the program under test: the zelvok of this build,
// or the one ZELVOK_TEST_BINARY names, through ZELVOK_TEST_RUNNER when set.
std::vector<std::string> zelvok_command();

// True when the program under test is the Windows build (run under wine),
// whose console shows names in Shift_JIS like the rest of the line.
bool testing_windows_build();

// A fresh, empty folder, removed with everything in it when the test ends.
struct TempFolder {
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::filesystem::path path;
};

std::string read_file(const std::filesystem::path& path);

// The Shift_JIS bytes of a message's Japanese text, as the program prints it
// to a pipe.
std::string sjis(const Message& message);

// The message's Japanese text with its "%s" or "%d" replaced, in Shift_JIS.
std::string sjis(const Message& message, std::string_view value);

// The message's English text with its "%s" or "%d" replaced.
std::string english(const Message& message, std::string_view value = {});

// The names of the files in `folder`, sorted.
std::vector<std::string> files_in(const std::filesystem::path& folder);

// A description as a test name: letters and digits kept, the rest '_'.
std::string test_name(std::string_view description);

}  // namespace zelvok::testing
