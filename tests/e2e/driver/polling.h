// Waiting for a condition with a deadline, so that no step of a case can
// hang the run.
#pragma once

#include <chrono>
#include <thread>

namespace tidemark::e2e {

using Milliseconds = std::chrono::milliseconds;

// Short enough for the benchmark's timings to be read off the waits.
inline constexpr Milliseconds kPollInterval{10};

// Checks `condition` until it holds or `timeout` has passed; the condition is
// checked at least once, and once more at the deadline.
template <typename Condition>
bool PollUntil(Milliseconds timeout, Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace tidemark::e2e
