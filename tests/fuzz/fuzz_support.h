// Shared helpers of the libFuzzer targets: a quiet stdout and a check that stops the fuzzer.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// The game prints a line for most things it does; at thousands of inputs a second that would
// bury libFuzzer's own log, which goes to stderr and so stays visible.
inline void silenceStdout() {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
}

// A broken invariant must reach libFuzzer as a crash so the input is kept as an artifact.
inline void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

}  // namespace fuzz
