// Counting subuniverses with the closed-set counter.
#include "core/count.h"

#include <algorithm>
#include <cassert>

#include "core/closure.h"

std::vector<Rule> RulesOf(std::span<const Equation> equations) {
  std::vector<Rule> rules;
  rules.reserve(equations.size());
  for (const Equation& e : equations) rules.push_back({e.left, e.right, e.result});
  return rules;
}

SubsetCount CountSubuniverses(ClosedSetCounter& counter, int n,
                              std::span<const Equation> equations) {
  assert(0 <= n && n <= maxElements);
  return counter.Count(n, RulesOf(equations));
}

// A closed set holding `required` is the closure C of required with a closed set of the
// restricted rules, so its size is |C| more than that of the latter.
std::vector<std::uint64_t> CountSubuniversesBySize(ClosedSetCounter& counter, int n,
                                                   std::span<const Equation> equations,
                                                   Mask required) {
  assert(0 <= n && n <= maxElements);
  if (required == 0) return counter.CountBySize(n, RulesOf(equations));
  const Restriction restriction = RestrictToSupersets(n, RulesOf(equations), required);
  const std::vector<std::uint64_t> rest =
      counter.CountBySize(static_cast<int>(restriction.elements.size()), restriction.rules);
  std::vector<std::uint64_t> bySize(n + 1, 0);
  std::copy(rest.begin(), rest.end(), bySize.begin() + Size(restriction.closure));
  return bySize;
}

double Sigma(SubsetCount count, int n, int subtrahend) {
  double sigma = static_cast<double>(count);
  for (int i = n; i > subtrahend; --i) sigma /= 2.0;
  for (int i = n; i < subtrahend; ++i) sigma *= 2.0;
  return sigma;
}
