// Exact count of the subsets of {0..n-1} that are closed under a list of rules "left and
// right in the subset force result in", found without enumerating the subsets.
//
// A counter keeps its working memory (the rule masks and a cache of counted parts) from one
// count to the next, so a program that counts many jobs creates one counter and reuses it.
// Counters share nothing: one per thread may count side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <vector>

#include "core/limits.h"
#include "core/rule.h"
#include "core/subset_count.h"

namespace mirelkon {

// How much a counter may hold, and when it looks for symmetry. The cache of counted parts grows
// with the count up to its bound; when full, it gives up its oldest entries, so a smaller bound
// costs time, never exactness. A count that has counted symmetryAfterParts parts by branching
// looks for the symmetries of its rules, and where they pay, starts afresh and counts its
// first decisions up to them (core/internal/symmetric_split.h), served by the parts it has
// cached; 0 looks before the first branch. A count without such symmetry goes on where it
// was.
struct CounterOptions {
  std::size_t cacheBytes = std::size_t{256} << 20;
  std::uint64_t symmetryAfterParts = std::uint64_t{1} << 13;
};

// A count ended by a stop requested through the counter's stop token.
struct CountStopped {};
constexpr std::uint64_t stopCheckInterval = 1024;

// What the last count did, for tests and benchmarks.
struct CounterStats {
  std::uint64_t partsCounted = 0;   // parts counted by branching
  std::uint64_t cacheHits = 0;      // parts found counted already
  std::uint64_t cacheMisses = 0;    // parts looked for in the cache and not found
  std::uint64_t cacheReplaced = 0;  // counted parts given up to make room for newer ones
  std::uint64_t cacheBytes = 0;     // the most memory the cache held at once
  int largestPart = 0;              // elements of the largest part counted by branching
  int splitElements = 0;            // the elements decided first up to symmetry (0: none)
  std::uint64_t splitClasses = 0;   // the classes of ways to decide them, counted one each
};

// A plain search, for checking the counter against itself, keeps no cache of counted parts
// and counts independent parts together; elements in no open rule still double the count.
enum class Search { full, plain };

class ClosedSetCounter {
 public:
  explicit ClosedSetCounter(Search search = Search::full, CounterOptions options = {});
  ~ClosedSetCounter();
  ClosedSetCounter(const ClosedSetCounter&) = delete;
  ClosedSetCounter& operator=(const ClosedSetCounter&) = delete;

  // The number of closed subsets of {0..n-1}, 0 <= n <= maxElements; every rule names
  // elements below n. Without levels the search branches on the element in the most open
  // rules of its part, or follows the elimination tree of the rules where that is narrow;
  // levels (one per element, or none) hold it back by 16 rules for each level, which sweeps
  // a lattice from the bottom up (see core/count.h). Levels are ignored unless each is in
  // 0..n-1 and every rule's result lies above both its arguments or below both.
  SubsetCount Count(int n, std::span<const Rule> rules, std::span<const int> levels = {});

  // The closed subsets of {0..n-1} by size: entry k, for k = 0..n, is the number of k
  // elements. Each entry is below C(64, 32) and fits 64 bits; they add up to Count.
  std::vector<std::uint64_t> CountBySize(int n, std::span<const Rule> rules,
                                         std::span<const int> levels = {});

  const CounterStats& Stats() const;

  // The stop token of the counts to come. A stop requested through it (a caller's Ctrl-C, say)
  // ends a count under way by throwing CountStopped: the counter looks at it when a count
  // starts and then after every stopCheckInterval parts it counts, so a count stops within
  // milliseconds. The token may change from one count to the next, as a counter kept for its
  // memory serves one request after another.
  void SetStopToken(std::stop_token stop);

  // Throws CountStopped when a stop was requested, for long work of the caller around its
  // counts that the same stop should end.
  void StopIfAsked() const;

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
};

}  // namespace mirelkon
