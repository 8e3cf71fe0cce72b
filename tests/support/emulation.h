#pragma once
// i686 test programs may run under user-mode processor emulation (scripts/wine-run then sets
// QZR_EMULATED_32). There Wine cannot handle a fault that a program provokes and catches itself,
// and programs whose threads run at the same time can crash. A test that needs either ends at
// once there with a note (the note is what scripts/test counts); the same test still runs in the
// 64-bit build. GTEST_SKIP cannot be used: gtest reports a skip through OutputDebugString, which
// raises an exception, and that is just what the emulation cannot handle.
#include <cstdio>
#include <cstdlib>

#define QZR_SKIP_WHEN_EMULATED(why)                                   \
  do {                                                                \
    if (std::getenv("QZR_EMULATED_32") != nullptr) {                  \
      std::printf("QZR: not run under 32-bit emulation: %s\n", why); \
      return;                                                         \
    }                                                                 \
  } while (0)
