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
