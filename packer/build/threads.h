// The few threading primitives the packer needs. MinGW-w64 with win32
// threads has no std::thread or std::mutex, so Windows builds use the Win32
// primitives directly; everywhere else the standard ones serve.
#pragma once

#include <functional>
#include <memory>

namespace tidemark {

class Mutex {
 public:
  Mutex();
  ~Mutex();
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void Lock();
  void Unlock();

 private:
  friend class ConditionVariable;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

class MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~MutexLock() { mutex_.Unlock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

 private:
  Mutex& mutex_;
};

class ConditionVariable {
 public:
  ConditionVariable();
  ~ConditionVariable();
  ConditionVariable(const ConditionVariable&) = delete;
  ConditionVariable& operator=(const ConditionVariable&) = delete;

  // Releases `mutex` (held by the caller) while waiting; holds it again on return.
  // Spurious wake-ups happen: callers wait in a loop on their condition.
  void Wait(Mutex& mutex);
  void NotifyAll();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A thread that runs `body` from construction and is joined on destruction.
class Thread {
 public:
  explicit Thread(std::function<void()> body);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// How many threads can run at once on this machine; at least 1.
int ProcessorCount();

}  // namespace tidemark
