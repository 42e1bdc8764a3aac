// Exact count of the subsets of {0..n-1} that are closed under a list of rules "left and
// right in the subset force result in", found without enumerating the subsets.
//
// A counter keeps its working memory (the rule masks and a cache of counted parts) from one
// count to the next, so a program that counts many jobs creates one counter and reuses it.
// Counters share nothing: one per thread may count side by side.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "core/limits.h"
#include "core/subset_count.h"

// The rule "left and right in a subset force result in", elements numbered from 0. A rule
// whose result is one of its arguments excludes no subset.
struct Rule {
  std::uint8_t left;
  std::uint8_t right;
  std::uint8_t result;
};

// What the last count did, for tests and benchmarks.
struct CounterStats {
  std::uint64_t partsCounted = 0;  // parts counted by branching
  std::uint64_t cacheHits = 0;     // parts found counted already
  std::uint64_t cacheEmptied = 0;  // times the cache was full and emptied
  int largestPart = 0;             // elements of the largest part counted by branching
};

// A plain search, for checking the counter against itself, keeps no cache of counted parts
// and counts independent parts together; elements in no open rule still double the count.
enum class Search { full, plain };

class ClosedSetCounter {
 public:
  explicit ClosedSetCounter(Search search = Search::full);
  ~ClosedSetCounter();
  ClosedSetCounter(const ClosedSetCounter&) = delete;
  ClosedSetCounter& operator=(const ClosedSetCounter&) = delete;

  // The number of closed subsets of {0..n-1}, 0 <= n <= maxElements; every rule names
  // elements below n. rank, when not empty, holds a number for each element, and the search
  // prefers to decide elements of lower rank first: the count does not depend on it, its
  // speed does.
  SubsetCount Count(int n, std::span<const Rule> rules, std::span<const int> rank = {});

  const CounterStats& Stats() const;

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
};
