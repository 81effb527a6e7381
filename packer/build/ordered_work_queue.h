// Runs jobs on worker threads and hands them back in the order in which they
// were submitted. The caller keeps at most `capacity` jobs under way, so the
// memory held stays bounded, and the order of results never depends on how
// many workers there are.
#pragma once

#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "packer/build/threads.h"

namespace tidemark {

template <typename Job>
class OrderedWorkQueue {
 public:
  using Work = std::function<void(Job&)>;

  OrderedWorkQueue(int workers, size_t capacity, Work work)
      : capacity_(capacity < 1 ? 1 : capacity), work_(std::move(work)) {
    for (int i = 0; i < (workers < 1 ? 1 : workers); ++i) {
      threads_.push_back(std::make_unique<Thread>([this] { RunWorker(); }));
    }
  }

  ~OrderedWorkQueue() {
    {
      MutexLock lock(mutex_);
      stopping_ = true;
    }
    changed_.NotifyAll();
    threads_.clear();  // joins every worker
  }

  OrderedWorkQueue(const OrderedWorkQueue&) = delete;
  OrderedWorkQueue& operator=(const OrderedWorkQueue&) = delete;

  bool Full() const { return slots_.size() >= capacity_; }
  bool Empty() const { return slots_.empty(); }

  void Submit(std::unique_ptr<Job> job) {
    auto slot = std::make_unique<Slot>();
    slot->job = std::move(job);
    {
      MutexLock lock(mutex_);
      waiting_.push_back(slot.get());
      slots_.push_back(std::move(slot));
    }
    changed_.NotifyAll();
  }

  // Waits for the oldest job, removes it and returns it; rethrows what its
  // work raised.
  std::unique_ptr<Job> TakeOldest() {
    std::unique_ptr<Slot> slot;
    {
      MutexLock lock(mutex_);
      while (!slots_.front()->done) changed_.Wait(mutex_);
      slot = std::move(slots_.front());
      slots_.pop_front();
    }
    if (slot->failure) std::rethrow_exception(slot->failure);
    return std::move(slot->job);
  }

 private:
  struct Slot {
    std::unique_ptr<Job> job;
    bool done = false;
    std::exception_ptr failure;
  };

  void RunWorker() {
    for (;;) {
      Slot* slot = nullptr;
      {
        MutexLock lock(mutex_);
        while (!stopping_ && waiting_.empty()) changed_.Wait(mutex_);
        if (stopping_) return;
        slot = waiting_.front();
        waiting_.pop_front();
      }
      std::exception_ptr failure;
      try {
        work_(*slot->job);
      } catch (...) {
        failure = std::current_exception();
      }
      {
        MutexLock lock(mutex_);
        slot->failure = failure;
        slot->done = true;
      }
      changed_.NotifyAll();
    }
  }

  const size_t capacity_;
  const Work work_;
  Mutex mutex_;
  ConditionVariable changed_;
  std::deque<std::unique_ptr<Slot>> slots_;  // submitted and not yet taken, oldest first
  std::deque<Slot*> waiting_;                // submitted and not yet started
  bool stopping_ = false;
  std::vector<std::unique_ptr<Thread>> threads_;
};

}  // namespace tidemark
