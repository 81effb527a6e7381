#include "packer/build/threads.h"

#include <stdexcept>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include "system/handles.h"
#else
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace tidemark {

#ifdef _WIN32

struct Mutex::Impl {
  SRWLOCK lock = SRWLOCK_INIT;
};

void Mutex::Lock() { AcquireSRWLockExclusive(&impl_->lock); }
void Mutex::Unlock() { ReleaseSRWLockExclusive(&impl_->lock); }

struct ConditionVariable::Impl {
  CONDITION_VARIABLE condition = CONDITION_VARIABLE_INIT;
};

void ConditionVariable::Wait(Mutex& mutex) {
  SleepConditionVariableSRW(&impl_->condition, &mutex.impl_->lock, INFINITE, 0);
}
void ConditionVariable::NotifyAll() { WakeAllConditionVariable(&impl_->condition); }

namespace {

DWORD WINAPI RunBody(void* parameter) {
  (*static_cast<std::function<void()>*>(parameter))();
  return 0;
}

}  // namespace

struct Thread::Impl {
  std::function<void()> body;
  // Closing the handle does not stop the thread: ~Thread waits for it first.
  UniqueHandle handle;
};

Thread::Thread(std::function<void()> body) : impl_(std::make_unique<Impl>()) {
  impl_->body = std::move(body);
  impl_->handle.Reset(CreateThread(nullptr, 0, RunBody, &impl_->body, 0, nullptr));
  if (!impl_->handle) throw std::runtime_error("cannot start a worker thread");
}

Thread::~Thread() { WaitForSingleObject(impl_->handle.get(), INFINITE); }

int ProcessorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}

#else

struct Mutex::Impl {
  std::mutex mutex;
};

void Mutex::Lock() { impl_->mutex.lock(); }
void Mutex::Unlock() { impl_->mutex.unlock(); }

struct ConditionVariable::Impl {
  std::condition_variable_any condition;
};

void ConditionVariable::Wait(Mutex& mutex) { impl_->condition.wait(mutex.impl_->mutex); }
void ConditionVariable::NotifyAll() { impl_->condition.notify_all(); }

struct Thread::Impl {
  std::thread thread;
};

Thread::Thread(std::function<void()> body) : impl_(std::make_unique<Impl>()) {
  impl_->thread = std::thread(std::move(body));
}

Thread::~Thread() { impl_->thread.join(); }

int ProcessorCount() {
  const unsigned count = std::thread::hardware_concurrency();
  return count > 0 ? static_cast<int>(count) : 1;
}

#endif

Mutex::Mutex() : impl_(std::make_unique<Impl>()) {}
Mutex::~Mutex() = default;
ConditionVariable::ConditionVariable() : impl_(std::make_unique<Impl>()) {}
ConditionVariable::~ConditionVariable() = default;

}  // namespace tidemark
