// peak_memory REPORT COMMAND...
//
// Runs COMMAND and writes to REPORT its peak resident memory in KiB, then its
// user and system time in seconds, on one line. The
// figure the kernel keeps for a process includes what the process it was
// forked from held before exec, so a small program like this one, and not
// the benchmark's Python, must be the one that forks.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: peak_memory REPORT COMMAND...\n");
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) {
    return 2;
  }
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) {
    return 2;
  }
  std::fprintf(report, "%ld %ld.%06ld %ld.%06ld\n", usage.ru_maxrss,
               static_cast<long>(usage.ru_utime.tv_sec), static_cast<long>(usage.ru_utime.tv_usec),
               static_cast<long>(usage.ru_stime.tv_sec), static_cast<long>(usage.ru_stime.tv_usec));
  std::fclose(report);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
