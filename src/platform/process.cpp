#include "platform/process.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "platform/windows_text.h"
#else
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

ChildProcess start_process(const std::vector<std::string>& command, const std::string& errors) {
  ChildProcess child;
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, &inherited, 0) == 0) {
    return child;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE error_file = CreateFileW(widen(errors).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  startup.hStdError = error_file;
  PROCESS_INFORMATION process{};
  child.started = error_file != INVALID_HANDLE_VALUE &&
                  CreateProcessW(widen(command[0]).c_str(), line.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process) != 0;
  CloseHandle(write_end);
  if (error_file != INVALID_HANDLE_VALUE) {
    CloseHandle(error_file);
  }
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

}  // namespace

ChildProcess start_process(const std::vector<std::string>& command, const std::string& errors) {
  ChildProcess child;
  int pipe_ends[2] = {-1, -1};
  if (pipe(pipe_ends) != 0) {
    return child;
  }
  (void)fcntl(pipe_ends[0], F_SETFD, FD_CLOEXEC);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);
  // The arguments are only read: posix_spawn takes them as the C runtime does.
  std::vector<char*> arguments(command.size() + 1, nullptr);
  std::transform(command.begin(), command.end(), arguments.begin(),
                 [](const std::string& argument) { return const_cast<char*>(argument.c_str()); });
  pid_t process = -1;
  child.started =
      posix_spawn(&process, command[0].c_str(), &actions, nullptr, arguments.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  if (!child.started) {
    close(pipe_ends[0]);
    return child;
  }
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
    std::string candidate = (folder.empty() ? "." : folder) + "\\" + name + ".exe";
#else
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
#endif
    if (is_program(candidate)) {
      return candidate;
    }
  }
  return {};
}

bool read_line(ChildProcess* child, std::string* line) {
  while (true) {
    const std::size_t end = child->pending.find('\n');
    if (end != std::string::npos) {
      *line = child->pending.substr(0, end);
      child->pending.erase(0, end + 1);
      if (!line->empty() && line->back() == '\r') {
        line->pop_back();
      }
      return true;
    }
    char buffer[4096];
#ifdef _WIN32
    const int got = child->output < 0 ? 0 : _read(child->output, buffer, sizeof buffer);
#else
    ssize_t got = 0;
    do {
      got = child->output < 0 ? 0 : read(child->output, buffer, sizeof buffer);
    } while (got < 0 && errno == EINTR);
#endif
    if (got <= 0) {
      return false;
    }
    child->pending.append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace zelvok
