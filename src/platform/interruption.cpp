#include "platform/interruption.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace zelvok {

#ifdef _WIN32

// Windows ends a program on Ctrl+C without running anything of it that the
// C library would call: its temporaries are hidden names that a later run
// passes over, and its child ends with the console.
bool note_temporary(const std::string& /*name*/) {
  return true;
}

void forget_temporary(const std::string& /*name*/) {}

void note_child(long long /*process*/) {}

#else

namespace {

// Fixed buffers, as nothing else may be touched in a signal handler: at
// most three temporaries are in the making at once (an MKV's or MP4's cues,
// the cues drawn into its picture, and the file itself).
constexpr std::size_t kSlots = 4;
constexpr std::size_t kLongestName = 4096;

struct Slot {
  char name[kLongestName];
  volatile std::sig_atomic_t used;
};

std::array<Slot, kSlots> temporaries{};
volatile pid_t child = -1;

extern "C" void undo_and_stop(int signal_number) {
  if (child > 0) {
    (void)kill(child, SIGKILL);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  for (const Slot& slot : temporaries) {
    if (slot.used != 0) {
      (void)unlink(slot.name);
    }
  }
  (void)std::signal(signal_number, SIG_DFL);
  (void)std::raise(signal_number);
}

void handle_signals() {
  static const bool handled = [] {
    for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
      (void)std::signal(signal_number, undo_and_stop);
    }
    return true;
  }();
  (void)handled;
}

}  // namespace

bool note_temporary(const std::string& name) {
  handle_signals();
  if (name.size() >= kLongestName) {
    return false;
  }
  Slot* const free = std::find_if(temporaries.begin(), temporaries.end(),
                                  [](const Slot& slot) { return slot.used == 0; });
  if (free == temporaries.end()) {
    return false;
  }
  std::memcpy(free->name, name.c_str(), name.size() + 1);
  free->used = 1;
  return true;
}

void forget_temporary(const std::string& name) {
  Slot* const noted = std::find_if(temporaries.begin(), temporaries.end(), [&](const Slot& slot) {
    return slot.used != 0 && name == slot.name;
  });
  if (noted != temporaries.end()) {
    noted->used = 0;
  }
}

void note_child(long long process) {
  handle_signals();
  child = static_cast<pid_t>(process);
}

#endif

}  // namespace zelvok
