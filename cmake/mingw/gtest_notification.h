// GoogleTest's Notification for MinGW's win32-threads libstdc++, which has
// no std::mutex or std::condition_variable. GoogleTest uses it only to start
// the threads of its own self-tests, so a flag that waiters poll will do.
// Force-included (with GTEST_HAS_NOTIFICATION_=1) by every user of gtest.
#pragma once

#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }

  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) Sleep(1);
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
