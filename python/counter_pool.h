// Counters kept from one call to the next. A counter's cache touches its memory as it fills,
// and every page touched the first time costs a page fault (about 2 ms per megabyte), which a
// fresh counter would pay on every call: 10% of a count of 64 elements. So each call borrows
// an idle counter, or a new one when all are busy (calls on several threads at once), and
// gives it back when done.
#pragma once

#include <memory>
#include <mutex>
#include <stop_token>
#include <vector>

#include "core/closed_set_counter.h"

namespace mirelkon {

class CounterPool {
 public:
  // A borrowed counter, given back when the lease ends.
  class Lease {
   public:
    Lease(CounterPool& pool, std::unique_ptr<ClosedSetCounter> counter)
        : pool_(pool), counter_(std::move(counter)) {}
    ~Lease() { pool_.GiveBack(std::move(counter_)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    ClosedSetCounter& operator*() const { return *counter_; }

   private:
    CounterPool& pool_;
    std::unique_ptr<ClosedSetCounter> counter_;
  };

  // A counter whose counts stop on `stop`.
  Lease Borrow(std::stop_token stop) {
    std::unique_ptr<ClosedSetCounter> counter;
    {
      std::lock_guard lock(mutex_);
      if (!idle_.empty()) {
        counter = std::move(idle_.back());
        idle_.pop_back();
      }
    }
    if (!counter) counter = std::make_unique<ClosedSetCounter>();
    counter->SetStopToken(std::move(stop));
    return Lease(*this, std::move(counter));
  }

 private:
  void GiveBack(std::unique_ptr<ClosedSetCounter> counter) {
    counter->SetStopToken({});
    std::lock_guard lock(mutex_);
    idle_.push_back(std::move(counter));
  }

  std::mutex mutex_;
  std::vector<std::unique_ptr<ClosedSetCounter>> idle_;
};

}  // namespace mirelkon
