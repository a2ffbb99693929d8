// zelvok: recording dates and times from a camcorder playlist, as subtitles.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run.h"
#include "messages/console.h"
#include "messages/messages.h"
#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "platform/windows_text.h"
#else
#include <unistd.h>
#endif

namespace {

constexpr int kStandardOutput = 1;

// The out-of-memory message, in the console's bytes: chosen while nothing is
// allocated, for when nothing can be.
std::string_view out_of_memory_message;

void report_out_of_memory() {
  // The console's own buffer is static: what it holds goes first.
  (void)std::fflush(stdout);
  (void)zelvok::write_fully(kStandardOutput, out_of_memory_message.data(),
                            out_of_memory_message.size());
}

// Where the C++ runtime could not even set aside its reserve for exceptions,
// a failed allocation cannot be thrown: it ends here, with the same message
// and status as one caught.
[[noreturn]] void terminate_out_of_memory() {
  report_out_of_memory();
  std::_Exit(zelvok::kExitFailure);
}

#ifdef _WIN32

// The arguments as UTF-8, read from the wide command line so that names in
// any script reach the program intact.
std::vector<std::string> program_arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int at = 1; wide != nullptr && at < count; ++at) {
    arguments.push_back(zelvok::narrow(wide[at], CP_UTF8));
  }
  LocalFree(wide);
  return arguments;
}

#else

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

}  // namespace

int main(int argc, char** argv) {
  zelvok::keep_standard_descriptors();
#ifndef _WIN32
  // A console that goes away (zelvok ... | head) must not stop the run halfway
  // through a subtitle file: its writes fail quietly instead. A file-size
  // limit makes a write fail too, and the run reports it as a full disk.
  (void)std::signal(SIGPIPE, SIG_IGN);
  (void)std::signal(SIGXFSZ, SIG_IGN);
  // The console's buffer is had now, so that no message is lost for want of
  // memory later; a terminal keeps getting whole lines at once.
  static char console_buffer[BUFSIZ];
  (void)std::setvbuf(stdout, console_buffer, isatty(kStandardOutput) != 0 ? _IOLBF : _IOFBF,
                     sizeof console_buffer);
#endif
  const zelvok::Console console = zelvok::standard_console();
  out_of_memory_message = zelvok::console_text(zelvok::messages::kAllocationFailed, console);
  std::set_terminate(terminate_out_of_memory);
  int status = zelvok::kExitFailure;
  try {
    status = zelvok::run(program_arguments(argc, argv), console);
  } catch (const std::bad_alloc&) {
    // Every file opened was closed on the way here, as far as it got.
    report_out_of_memory();
  }
  // Nothing is left to tell the user if the console itself fails.
  (void)std::fflush(stdout);
  return status;
}
