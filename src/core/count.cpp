// Counting subuniverses with the closed-set counter, which decides elements from the bottom
// of the order upwards where the equations follow the order.
#include "core/count.h"

#include <algorithm>
#include <cassert>

namespace {

// True when at least three quarters of the equations that can exclude a subset have their
// result above both arguments or below both, as joins and meets do.
bool EquationsFollowOrder(const Order& order, std::span<const Equation> equations) {
  int relevant = 0, following = 0;
  for (const Equation& e : equations) {
    if (e.result == e.left || e.result == e.right) continue;
    ++relevant;
    if ((order.Below(e.left, e.result) && order.Below(e.right, e.result)) ||
        (order.Below(e.result, e.left) && order.Below(e.result, e.right)))
      ++following;
  }
  return 4 * following >= 3 * relevant;
}

// For each element its level in the order, the length of the longest chain below it, when the
// equations follow the order; else 0 for all. Deciding the elements of a lattice from the
// bottom upwards leaves residual problems that depend only on a narrow band of decided
// elements, which the counter's cache finds again and again. Equations that ignore the order
// are better served by the counter's own choice.
std::vector<int> LevelsByOrder(const Order& order, std::span<const Equation> equations) {
  const int n = order.size;
  std::vector<int> level(n, 0);
  if (!EquationsFollowOrder(order, equations)) return level;
  // An element has more elements strictly below it than any element strictly below it, so
  // taking the elements by that number finds every level below one before the level itself.
  std::vector<int> below(n, 0), byBelow(n);
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) below[x] += order.StrictlyBelow(y, x);
    byBelow[x] = x;
  }
  std::sort(byBelow.begin(), byBelow.end(), [&](int a, int b) { return below[a] < below[b]; });
  for (int x : byBelow)
    for (int y = 0; y < n; ++y)
      if (order.StrictlyBelow(y, x)) level[x] = std::max(level[x], level[y] + 1);
  return level;
}

}  // namespace

std::vector<Rule> RulesOf(std::span<const Equation> equations) {
  std::vector<Rule> rules;
  rules.reserve(equations.size());
  for (const Equation& e : equations) rules.push_back({e.left, e.right, e.result});
  return rules;
}

SubsetCount CountSubuniverses(ClosedSetCounter& counter, const Order& order,
                              std::span<const Equation> equations) {
  assert(0 <= order.size && order.size <= maxElements);
  return counter.Count(order.size, RulesOf(equations), LevelsByOrder(order, equations));
}

double Sigma(SubsetCount count, int n, int subtrahend) {
  double sigma = static_cast<double>(count);
  for (int i = n; i > subtrahend; --i) sigma /= 2.0;
  for (int i = n; i < subtrahend; ++i) sigma *= 2.0;
  return sigma;
}
