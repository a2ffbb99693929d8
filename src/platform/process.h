// Another program run by this one, as ffmpeg is for --mkv: started with its
// standard input empty, its standard output read line by line, and its
// standard error kept in a file for when it fails.
#pragma once

#include <string>
#include <vector>

namespace zelvok {

struct ChildProcess {
  bool started = false;
  int output = -1;        // the read end of its standard output
  std::string pending;    // bytes of its output read past the last whole line
  long long handle = -1;  // the process: its id on POSIX, its handle on Windows
};

// The program `name` names: a path (with a '/', or '\\' on Windows) as it
// is, else the first executable of that name in the folders of PATH. Empty
// when there is none.
std::string find_program(const std::string& name);

// Starts `command` (the program's path, then its arguments), its standard
// error into the file `errors`.
ChildProcess start_process(const std::vector<std::string>& command, const std::string& errors);

// The next whole line of the process's output, without its line end; false
// when its output has ended.
bool read_line(ChildProcess* child, std::string* line);

// Waits for the process to end and returns its exit status; -1 when it did
// not exit by itself. Its error file is left for the caller.
int finish_process(ChildProcess* child);

}  // namespace zelvok
