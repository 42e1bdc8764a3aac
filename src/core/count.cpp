// Counting subuniverses with the closed-set counter.
#include "core/count.h"

#include <cassert>

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

double Sigma(SubsetCount count, int n, int subtrahend) {
  double sigma = static_cast<double>(count);
  for (int i = n; i > subtrahend; --i) sigma /= 2.0;
  for (int i = n; i < subtrahend; ++i) sigma *= 2.0;
  return sigma;
}
