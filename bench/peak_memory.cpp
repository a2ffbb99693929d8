// peak_memory REPORT COMMAND...
//
// Runs COMMAND and writes to REPORT its peak resident memory in KiB, then its
// user and system time in seconds, then the bytes it read (from
// /proc/PID/io, or -1 where there is none), on one line. The
// figure the kernel keeps for a process includes what the process it was
// forked from held before exec, so a small program like this one, and not
// the benchmark's Python, must be the one that forks.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) {
    (void)std::fprintf(stderr, "usage: peak_memory REPORT COMMAND...\n");
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  // The child's counts stay readable until it is reaped.
  siginfo_t exited{};
  if (child < 0 || waitid(P_PID, static_cast<id_t>(child), &exited, WEXITED | WNOWAIT) != 0) {
    return 2;
  }
  long long bytes_read = -1;
  if (std::FILE* io = std::fopen(("/proc/" + std::to_string(child) + "/io").c_str(), "r")) {
    char line[64] = {};
    if (std::fgets(line, sizeof line, io) != nullptr && std::strncmp(line, "rchar: ", 7) == 0) {
      bytes_read = std::strtoll(line + 7, nullptr, 10);
    }
    (void)std::fclose(io);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) {
    return 2;
  }
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) {
    return 2;
  }
  (void)std::fprintf(report, "%ld %ld.%06ld %ld.%06ld %lld\n", usage.ru_maxrss,
                     static_cast<long>(usage.ru_utime.tv_sec),
                     static_cast<long>(usage.ru_utime.tv_usec),
                     static_cast<long>(usage.ru_stime.tv_sec),
                     static_cast<long>(usage.ru_stime.tv_usec), bytes_read);
  (void)std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
