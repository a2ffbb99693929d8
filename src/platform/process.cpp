#include "platform/process.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/interruption.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The environment the child inherits: POSIX has no header declare it, though
// glibc's does with _GNU_SOURCE.
extern char** environ;  // NOLINT(readability-redundant-declaration)
#endif

namespace zelvok {

#ifdef _WIN32

namespace {

constexpr char kPathSeparator = ';';

bool is_program(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool names_a_path(const std::string& name) {
  return name.find_first_of("/\\:") != std::string::npos;
}

bool has_exe_ending(const std::string& name) {
  return name.size() >= 4 && _stricmp(name.c_str() + name.size() - 4, ".exe") == 0;
}

// One argument as the C runtime of the started program splits its command
// line: quoted, its quotes and the backslashes before them escaped.
std::wstring quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

ChildProcess start_process(const std::vector<std::string>& command) {
  ChildProcess child;
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, &inherited, 0) == 0) {
    return child;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE nothing = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                               OPEN_EXISTING, 0, nullptr);
  std::wstring line;
  for (const std::string& argument : command) {
    line += (line.empty() ? L"" : L" ") + quoted(widen(argument));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  child.started = CreateProcessW(widen(command[0]).c_str(), line.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process) != 0;
  CloseHandle(write_end);
  if (nothing != INVALID_HANDLE_VALUE) {
    CloseHandle(nothing);
  }
  if (!child.started) {
    CloseHandle(read_end);
    return child;
  }
  CloseHandle(process.hThread);
  child.handle = reinterpret_cast<long long>(process.hProcess);
  child.output = _open_osfhandle(reinterpret_cast<intptr_t>(read_end), _O_RDONLY);
  return child;
}

int finish_process(ChildProcess* child) {
  if (child->output >= 0) {
    _close(child->output);
    child->output = -1;
  }
  const auto process = reinterpret_cast<HANDLE>(child->handle);
  DWORD status = 1;
  WaitForSingleObject(process, INFINITE);
  const bool exited = GetExitCodeProcess(process, &status) != 0;
  CloseHandle(process);
  return exited ? static_cast<int>(status) : -1;
}

#else

namespace {

constexpr char kPathSeparator = ':';

bool is_program(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool names_a_path(const std::string& name) {
  return name.find('/') != std::string::npos;
}

// The signals an interruption comes by, and those this program ignores,
// which the child is to have as a program started from the shell has them.
sigset_t interruptions() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    sigaddset(&set, signal_number);
  }
  return set;
}

// The child's standard input empty, its output and errors into the pipe.
bool set_descriptors(posix_spawn_file_actions_t* actions, int write_end) {
  return posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
         posix_spawn_file_actions_adddup2(actions, write_end, 1) == 0 &&
         posix_spawn_file_actions_adddup2(actions, write_end, 2) == 0 &&
         posix_spawn_file_actions_addclose(actions, write_end) == 0;
}

// The child starts with no signal blocked and every signal this program
// handles or ignores at its default.
bool set_signals(posix_spawnattr_t* attributes) {
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults = interruptions();
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGXFSZ);
  return posix_spawnattr_setflags(attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) ==
             0 &&
         posix_spawnattr_setsigmask(attributes, &none) == 0 &&
         posix_spawnattr_setsigdefault(attributes, &defaults) == 0;
}

pid_t spawn(const std::vector<std::string>& command, int write_end) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    return -1;
  }
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return -1;
  }
  // The arguments are only read: posix_spawn takes them as the C runtime does.
  std::vector<char*> arguments(command.size() + 1, nullptr);
  std::transform(command.begin(), command.end(), arguments.begin(),
                 [](const std::string& argument) { return const_cast<char*>(argument.c_str()); });
  pid_t process = -1;
  if (!set_descriptors(&actions, write_end) || !set_signals(&attributes) ||
      posix_spawn(&process, command[0].c_str(), &actions, &attributes, arguments.data(), environ) !=
          0) {
    process = -1;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return process;
}

}  // namespace

ChildProcess start_process(const std::vector<std::string>& command) {
  ChildProcess child;
  int pipe_ends[2] = {-1, -1};
  if (pipe(pipe_ends) != 0) {
    return child;
  }
  (void)fcntl(pipe_ends[0], F_SETFD, FD_CLOEXEC);
  // An interruption waits until the child is noted, to be stopped with it.
  const sigset_t held = interruptions();
  sigset_t before;
  (void)sigprocmask(SIG_BLOCK, &held, &before);
  const pid_t process = spawn(command, pipe_ends[1]);
  if (process > 0) {
    note_child(process);
  }
  (void)sigprocmask(SIG_SETMASK, &before, nullptr);
  close(pipe_ends[1]);
  if (process <= 0) {
    close(pipe_ends[0]);
    return child;
  }
  child.started = true;
  child.handle = process;
  child.output = pipe_ends[0];
  return child;
}

int finish_process(ChildProcess* child) {
  if (child->output >= 0) {
    close(child->output);
    child->output = -1;
  }
  int status = 0;
  pid_t waited = -1;
  do {
    waited = waitpid(static_cast<pid_t>(child->handle), &status, 0);
  } while (waited < 0 && errno == EINTR);
  note_child(-1);
  return waited >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

std::string find_program(const std::string& name) {
  if (name.empty()) {
    return {};
  }
  if (names_a_path(name)) {
    return is_program(name) ? name : std::string();
  }
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "";
  while (!folders.empty()) {
    const std::size_t end = folders.find(kPathSeparator);
    const std::string folder(folders.substr(0, end));
    folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
#ifdef _WIN32
    std::string candidate = (folder.empty() ? "." : folder) + "\\" + name;
    if (!has_exe_ending(name)) {
      candidate += ".exe";
    }
#else
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
#endif
    if (is_program(candidate)) {
      return candidate;
    }
  }
  return {};
}

namespace {

// More of the process's output into its chunk; false when it has ended.
bool read_chunk(ChildProcess* child) {
  child->chunk_at = 0;
  child->chunk_end = 0;
#ifdef _WIN32
  const int got =
      child->output < 0 ? 0 : _read(child->output, child->chunk.data(), child->chunk.size());
#else
  ssize_t got = 0;
  do {
    got = child->output < 0 ? 0 : read(child->output, child->chunk.data(), child->chunk.size());
  } while (got < 0 && errno == EINTR);
#endif
  if (got <= 0) {
    return false;
  }
  child->chunk_end = static_cast<std::size_t>(got);
  return true;
}

}  // namespace

bool read_line(ChildProcess* child, std::size_t longest, std::string* line) {
  line->clear();
  bool any = false;  // a last line without a line feed is still a line
  while (child->chunk_at < child->chunk_end || read_chunk(child)) {
    any = true;
    const char* start = child->chunk.data() + child->chunk_at;
    const std::size_t left = child->chunk_end - child->chunk_at;
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', left));
    const std::size_t taken = feed != nullptr ? static_cast<std::size_t>(feed - start) : left;
    line->append(start, std::min(taken, longest - std::min(longest, line->size())));
    child->chunk_at += feed != nullptr ? taken + 1 : taken;
    if (feed != nullptr) {
      break;
    }
  }
  if (!line->empty() && line->back() == '\r') {
    line->pop_back();
  }
  return any;
}

}  // namespace zelvok
