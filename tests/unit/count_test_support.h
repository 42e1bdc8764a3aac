// Test support for the count: rules written with elements from 1, as the tests state them,
// the counter on them, and the literal enumeration of all subsets as the oracle.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/closed_set_counter.h"
#include "core/equation.h"

namespace mirelkon {

// The rule "left and right force result in", elements numbered from 1.
struct JobRule {
  int left, right, result;
};

inline std::vector<Rule> CounterRules(const std::vector<JobRule>& rules) {
  std::vector<Rule> converted;
  for (const JobRule& r : rules)
    converted.push_back({static_cast<std::uint8_t>(r.left - 1),
                         static_cast<std::uint8_t>(r.right - 1),
                         static_cast<std::uint8_t>(r.result - 1)});
  return converted;
}

inline std::vector<JobRule> JobRules(const std::vector<Equation>& equations) {
  std::vector<JobRule> rules;
  for (const Equation& e : equations) rules.push_back({e.left + 1, e.right + 1, e.result + 1});
  return rules;
}

// The rules counted by a counter of their own.
inline SubsetCount CountRules(int n, const std::vector<JobRule>& rules,
                              Search search = Search::full, const std::vector<int>& levels = {}) {
  return ClosedSetCounter(search).Count(n, CounterRules(rules), levels);
}

// Membership of a subset: entry i (1..n) true means element i is in it.
using CandidateSubset = std::array<bool, maxElements + 1>;

// True when the subset holds the result of every rule whose left and right it holds; the
// rules are tried in order and the first violated one ends the test.
inline bool IsClosed(const std::vector<JobRule>& rules, const CandidateSubset& subset) {
  for (const JobRule& r : rules)
    if (subset[r.left] && subset[r.right] && !subset[r.result]) return false;
  return true;
}

// The oracle: every subset of n elements tested by IsClosed, advanced as a binary counter
// whose least significant digit is element n.
inline std::int64_t EnumeratedCount(int n, const std::vector<JobRule>& rules) {
  CandidateSubset candidate{};
  std::int64_t count = 0;
  for (bool wrapped = false; !wrapped;) {
    if (IsClosed(rules, candidate)) ++count;
    bool carry = true;
    for (int i = n; carry && i >= 1; --i) {
      candidate[i] = !candidate[i];
      carry = !candidate[i];
    }
    wrapped = carry;
  }
  return count;
}

}  // namespace mirelkon
