// Exact count of the closed subsets of {0..n-1} for n up to maxWideElements: the closed-set
// counter's own search over sets of 2, 4, 8 or 16 words, the fewest that hold n, with counts
// as GMP integers. Sets of up to 64 elements belong to ClosedSetCounter, which is faster there.
//
// The search recurses once per element it decides, and each level keeps the residual problem
// of its part on the stack, about 3 n^2 / 8 bytes (50 KB at 256 elements, 400 KB at 1024):
// a count runs on a thread of its own whose stack holds the deepest search. The rule masks
// take n^3 / 4 bytes (4 MB at 256 elements, 256 MB at 1024), the cache its bound.
#pragma once

#include <memory>
#include <span>
#include <stop_token>
#include <vector>

#include "core/big_count.h"
#include "core/closed_set_counter.h"
#include "core/rule.h"

namespace mirelkon {

class WideSetCounter {
 public:
  explicit WideSetCounter(CounterOptions options = {});
  ~WideSetCounter();
  WideSetCounter(const WideSetCounter&) = delete;
  WideSetCounter& operator=(const WideSetCounter&) = delete;

  // The number of closed subsets of {0..n-1}, 0 <= n <= maxWideElements; every rule names
  // elements below n. Levels (one per element, or none) hold the branch elements back as
  // ClosedSetCounter's do.
  BigCount Count(int n, std::span<const WideRule> rules, std::span<const int> levels = {});

  // Entry k, for k = 0..n, is the number of closed subsets of k elements.
  std::vector<BigCount> CountBySize(int n, std::span<const WideRule> rules,
                                    std::span<const int> levels = {});

  const CounterStats& Stats() const { return stats_; }

  // As for ClosedSetCounter: a stop requested ends a count under way with CountStopped.
  void SetStopToken(std::stop_token stop) { stop_ = std::move(stop); }

  // The stack a count of n elements runs on, in bytes.
  static std::size_t StackBytes(int n);

 private:
  struct Engines;
  std::stop_token stop_;
  CounterStats stats_;
  std::unique_ptr<Engines> engines_;
};

}  // namespace mirelkon
