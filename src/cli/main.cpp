// zelvok: recording dates and times from a camcorder playlist, as subtitles.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/run.h"
#include "platform/files.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "platform/windows_text.h"
#endif

namespace {

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
  // through a subtitle file: its writes fail quietly instead.
  (void)std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::vector<std::string> arguments = program_arguments(argc, argv);
  const int status = zelvok::run(arguments, zelvok::standard_console());
  // Nothing is left to tell the user if the console itself fails.
  (void)std::fflush(stdout);
  return status;
}
