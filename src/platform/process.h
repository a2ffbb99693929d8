// Another program run by this one, as ffmpeg is for --mkv: started with its
// standard input empty and its standard output and error on one pipe, read
// line by line as they come.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zelvok {

struct ChildProcess {
  bool started = false;
  int output = -1;               // the read end of its standard output and error
  std::array<char, 4096> chunk;  // bytes read from it
  std::size_t chunk_at = 0;      // the first of them not yet taken
  std::size_t chunk_end = 0;     // past the last of them
  long long handle = -1;         // the process: its id on POSIX, its handle on Windows
};

// The program `name` names: a path (with a '/', or '\\' on Windows) as it
// is, else the first executable of that name in the folders of PATH (on
// Windows with ".exe" added where the name lacks it). Empty when there is
// none.
std::string find_program(const std::string& name);

// Starts `command` (the program's path, then its arguments). If this program
// is interrupted while it runs, it is stopped and waited for.
ChildProcess start_process(const std::vector<std::string>& command);

// The next line of the process's output, without its line end and cut to its
// first `longest` bytes, in time and memory that grow with the output alone;
// false when its output has ended.
bool read_line(ChildProcess* child, std::size_t longest, std::string* line);

// Waits for the process to end and returns its exit status; -1 when it did
// not exit by itself.
int finish_process(ChildProcess* child);

}  // namespace zelvok
