// What a test needs from the machine: real samples beside the checkout,
// players and readers from Debian's packages. Where it is missing the test is
// skipped, but not in CI, which provides everything: there it fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#define ZELVOK_REQUIRE(present, what)        \
  if (!(present)) {                          \
    if (std::getenv("CI") != nullptr) {      \
      FAIL() << (what) << " is missing";     \
    }                                        \
    GTEST_SKIP() << (what) << " is missing"; \
  }

#include "support/run_program.h"

// A test of what POSIX systems do (devices such as /dev/full, permissions,
// signals, resource limits, terminals), which the Windows build under wine
// cannot show: skipped there.
#define ZELVOK_POSIX_ONLY()                                     \
  if (zelvok::testing::testing_windows_build()) {               \
    GTEST_SKIP() << "POSIX behaviour, not the Windows build's"; \
  }
