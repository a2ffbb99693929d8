#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "messages/console.h"

namespace zelvok::testing {
namespace {

// Reads both pipes to their end without letting either fill up.
void drain(int out_fd, int err_fd, ProgramResult* result) {
  std::array<pollfd, 2> fds = {pollfd{out_fd, POLLIN, 0}, pollfd{err_fd, POLLIN, 0}};
  std::array<std::string*, 2> sinks = {&result->output, &result->errors};
  int open_count = 2;
  char chunk[65536];
  while (open_count > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw std::runtime_error("poll failed");
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) {
        continue;
      }
      const ssize_t got = read(fds[i].fd, chunk, sizeof chunk);
      if (got > 0) {
        sinks[i]->append(chunk, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

// Windows writes the console in text mode, each line feed as CR LF; the
// messages themselves hold no CR, so the two compare equal once it is undone.
void undo_text_mode(std::string* output) {
  std::string plain;
  for (std::size_t at = 0; at < output->size(); ++at) {
    if (!(output->compare(at, 2, "\r\n") == 0)) {
      plain += (*output)[at];
    }
  }
  *output = std::move(plain);
}

// Starts `command` in `folder` with its output and errors on the given
// descriptors, which this process then closes, as it closes `close_in_child`
// in the child.
// The argument vector execvp takes, pointing into `words`.
std::vector<char*> argv_of(std::vector<std::string>* words) {
  std::vector<char*> argv;
  argv.reserve(words->size() + 1);
  for (std::string& word : *words) {
    argv.push_back(word.data());
  }
  argv.push_back(nullptr);
  return argv;
}

// The locale a run starts in: the C locale, with `settings` ("NAME=value",
// an empty value for a variable not set) on top. Called in the child.
void set_locale(const std::vector<std::string>& settings) {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG", "LANGUAGE"}) {
    unsetenv(name);
  }
  setenv("LC_ALL", "C", 1);
  // Windows takes the language from the system, not from these variables:
  // its build speaks as to a Japanese user unless a test asks otherwise. Wine
  // maps names to the host's by the locale's charset, which must hold them.
  if (testing_windows_build()) {
    setenv("ZELVOK_LANG", "ja", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
  }
  for (const std::string& setting : settings) {
    const std::size_t equals = setting.find('=');
    const std::string name = setting.substr(0, equals);
    const std::string value = setting.substr(equals + 1);
    if (value.empty()) {
      unsetenv(name.c_str());
    } else {
      setenv(name.c_str(), value.c_str(), 1);
    }
  }
}

pid_t start(const std::vector<std::string>& command, const std::filesystem::path& folder,
            int out_fd, int err_fd, std::initializer_list<int> close_in_child,
            std::optional<ResourceLimit> limit = std::nullopt,
            const std::vector<std::string>& locale = {}) {
  std::vector<std::string> words = command;
  std::vector<char*> argv = argv_of(&words);
  const pid_t child = fork();
  if (child == 0) {
    dup2(out_fd, STDOUT_FILENO);
    dup2(err_fd, STDERR_FILENO);
    for (int fd : close_in_child) {
      close(fd);
    }
    close(out_fd);
    if (err_fd != STDERR_FILENO) {
      close(err_fd);
    }
    set_locale(locale);
    if (chdir(folder.c_str()) != 0) {
      _exit(127);
    }
    if (limit) {
      const rlimit value{static_cast<rlim_t>(limit->value), static_cast<rlim_t>(limit->value)};
      if (setrlimit(limit->resource, &value) != 0) {
        _exit(126);
      }
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(out_fd);
  if (err_fd != STDERR_FILENO) {
    close(err_fd);
  }
  return child;
}

// Waits for the child; its exit status, or 1000 + the signal that ended it.
int finish(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

}  // namespace

// The program under test: the zelvok of this build, or another build of it
// named by ZELVOK_TEST_BINARY, run through ZELVOK_TEST_RUNNER when that is
// set (zelvok.exe under wine, for one).
std::vector<std::string> zelvok_command() {
  const char* binary = std::getenv("ZELVOK_TEST_BINARY");
  const char* runner = std::getenv("ZELVOK_TEST_RUNNER");
  std::vector<std::string> command;
  if (runner != nullptr && *runner != '\0') {
    command.emplace_back(runner);
  }
  command.emplace_back(binary != nullptr && *binary != '\0' ? binary : ZELVOK_BINARY);
  return command;
}

bool testing_windows_build() {
  return zelvok_command().size() > 1;
}

ProgramResult run_program(const std::vector<std::string>& command,
                          const std::filesystem::path& folder, std::optional<ResourceLimit> limit,
                          const std::vector<std::string>& locale) {
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t child =
      start(command, folder, out_pipe[1], err_pipe[1], {out_pipe[0], err_pipe[0]}, limit, locale);
  ProgramResult result{-1, {}, {}};
  drain(out_pipe[0], err_pipe[0], &result);
  result.status = finish(child);
  return result;
}

// zelvok.exe can end only with 0 or -1 (255): main returns what run()
// returns and nothing calls exit. Wine, once in thousands of starts, has
// ended a run with 1 of its own; such a run is made again, once, so that
// only a failure that repeats fails the test.
bool runner_failed(const ProgramResult& result) {
  return result.status != 0 && result.status != 255;
}

ProgramResult run_zelvok(const std::vector<std::string>& arguments,
                         const std::filesystem::path& folder, std::optional<ResourceLimit> limit) {
  return run_zelvok_in_locale(arguments, folder, {}, limit);
}

ProgramResult run_zelvok_in_locale(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& folder,
                                   const std::vector<std::string>& locale,
                                   std::optional<ResourceLimit> limit) {
  std::vector<std::string> command = zelvok_command();
  const bool windows = command.size() > 1;
  command.insert(command.end(), arguments.begin(), arguments.end());
  ProgramResult result = run_program(command, folder, limit, locale);
  if (windows && runner_failed(result)) {
    std::cerr << "the runner ended with " << result.status << " (" << result.errors
              << "); running the program again\n";
    result = run_program(command, folder, limit, locale);
  }
  if (windows) {
    undo_text_mode(&result.output);
  }
  return result;
}

int run_zelvok_unread(const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder) {
  int out_pipe[2];
  if (pipe(out_pipe) != 0) {
    throw std::runtime_error("pipe failed");
  }
  close(out_pipe[0]);
  std::vector<std::string> command = zelvok_command();
  command.insert(command.end(), arguments.begin(), arguments.end());
  return finish(start(command, folder, out_pipe[1], STDERR_FILENO, {}));
}

int start_zelvok(const std::vector<std::string>& arguments, const std::filesystem::path& folder) {
  const int nothing = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nothing < 0) {
    throw std::runtime_error("cannot open /dev/null");
  }
  std::vector<std::string> command = zelvok_command();
  command.insert(command.end(), arguments.begin(), arguments.end());
  return start(command, folder, nothing, STDERR_FILENO, {});
}

int wait_for_program(int process) {
  return finish(process);
}

std::string run_zelvok_on_terminal(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& folder,
                                   const std::vector<std::string>& locale) {
  int terminal = -1;
  int program_side = -1;
  if (openpty(&terminal, &program_side, nullptr, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  std::vector<std::string> command = zelvok_command();
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = argv_of(&command);
  const pid_t child = fork();
  if (child == 0) {
    close(terminal);
    dup2(program_side, STDOUT_FILENO);
    close(program_side);
    set_locale(locale);
    if (chdir(folder.c_str()) != 0) {
      _exit(127);
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(program_side);
  std::string received;
  char chunk[4096];
  for (;;) {
    const ssize_t got = read(terminal, chunk, sizeof chunk);
    if (got > 0) {
      received.append(chunk, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;  // EIO once the program has closed its side
    }
  }
  close(terminal);
  finish(child);
  // The terminal turns each line feed into CR LF.
  std::string plain;
  for (std::size_t at = 0; at < received.size(); ++at) {
    if (received.compare(at, 2, "\r\n") != 0) {
      plain += received[at];
    }
  }
  return plain;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelvok-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  path = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path, ignored);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string sjis(const Message& message) {
  return std::string(message.shift_jis);
}

std::string sjis(const Message& message, std::string_view value) {
  return render_message(message.shift_jis, value, ConsoleEncoding::kShiftJis);
}

std::string english(const Message& message, std::string_view value) {
  return render_message(message.english, value, ConsoleEncoding::kShiftJis);
}

std::vector<std::string> files_in(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string test_name(std::string_view description) {
  std::string name(description);
  for (char& c : name) {
    c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
  }
  return name;
}

}  // namespace zelvok::testing
