// Counting subuniverses with the closed-set counter.
#include "core/count.h"

#include <algorithm>
#include <cassert>

#include "core/internal/closure.h"
#include "core/lattice.h"

namespace mirelkon {

std::vector<Rule> RulesOf(std::span<const Equation> equations) {
  std::vector<Rule> rules;
  rules.reserve(equations.size());
  for (const Equation& e : equations) rules.push_back({e.left, e.right, e.result});
  return rules;
}

namespace {

constexpr int levelsFrom = 24;

// The join and meet tables the equations state with the order: a comparable pair's join and
// meet are its two elements, an incomparable pair's are stated by exactly one join and one
// meet. False when the equations state anything else or leave a pair out. The tables are not
// checked to be a lattice's: they only choose the order of the search, never its answer.
bool StatedTables(const Order& order, std::span<const Equation> equations, LatticeTables& t) {
  const int n = order.size;
  Mask joined[maxElements] = {}, met[maxElements] = {};  // [x]: the y with x v y (x ^ y) stated
  int needed = 0, stated = 0;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const bool below = order.Below(x, y), above = order.Below(y, x);
      needed += !below && !above;
      t.join[x][y] = static_cast<std::uint8_t>(below ? y : x);
      t.meet[x][y] = static_cast<std::uint8_t>(below ? x : y);
    }
  for (const Equation& e : equations) {
    if (!(e.IsJoin() || e.IsMeet())) return false;
    if (!e.Excludes() || !order.Incomparable(e.left, e.right)) continue;
    Mask* seen = e.IsJoin() ? joined : met;
    if (Holds(seen[e.left], e.right)) {
      if (t.Value(e) != e.result) return false;
      continue;
    }
    std::uint8_t(&table)[maxElements][maxElements] = e.IsJoin() ? t.join : t.meet;
    table[e.left][e.right] = table[e.right][e.left] = e.result;
    seen[e.left] |= Bit(e.right);
    seen[e.right] |= Bit(e.left);
    stated += 2;
  }
  return stated == 2 * needed;
}

bool Distributive(int n, const LatticeTables& t) {
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      for (int z = y + 1; z < n; ++z)
        if (t.meet[x][t.join[y][z]] != t.join[t.meet[x][y]][t.meet[x][z]]) return false;
  return true;
}

// Each element's level, the length of the longest chain below it, when the order is a
// distributive lattice and the equations state it whole; else none. Deciding such a
// lattice from the bottom up leaves residual problems that depend on a narrow band of decided
// elements, which the counter's cache finds again and again: products of chains and divisor
// lattices of 64 elements count 3 to 4 times faster so. Other lattices (random ones, the
// partition lattices), partial lattices and other rules do better with the counter's own
// choice, some of them a thousandfold. Below 24 elements a count takes a fraction of a
// millisecond either way, and the checks would cost about as much as the levels save.
std::vector<int> LevelsOfADistributiveLattice(const Order& order,
                                              std::span<const Equation> equations) {
  // A lattice with fewer than n incomparable pairs is nearly a chain and counts in
  // microseconds; the checks would take longer.
  const auto excluding = std::count_if(equations.begin(), equations.end(),
                                       [](const Equation& e) { return e.Excludes(); });
  LatticeTables tables;
  if (order.size < levelsFrom || excluding < 2 * order.size ||
      !StatedTables(order, equations, tables) || !Distributive(order.size, tables))
    return {};
  // An element has more elements below it than any element below it, so taking the elements
  // by that number finds every level below one before the level itself.
  const int n = order.size;
  std::vector<int> level(n, 0), below(n, 0), byBelow(n);
  for (int x = 0; x < n; ++x) {
    below[x] = Size(order.BelowOf(x));
    byBelow[x] = x;
  }
  std::sort(byBelow.begin(), byBelow.end(), [&](int a, int b) { return below[a] < below[b]; });
  for (int x : byBelow)
    for (int y = 0; y < n; ++y)
      if (order.StrictlyBelow(y, x)) level[x] = std::max(level[x], level[y] + 1);
  return level;
}

}  // namespace

SubsetCount CountSubuniverses(ClosedSetCounter& counter, const Order& order,
                              std::span<const Equation> equations) {
  assert(0 <= order.size && order.size <= maxElements);
  return counter.Count(order.size, RulesOf(equations),
                       LevelsOfADistributiveLattice(order, equations));
}

SubsetCount CountSubuniversesHolding(ClosedSetCounter& counter, int n,
                                     std::span<const Equation> equations, Mask required) {
  const Restriction restriction = RestrictToSupersets(n, RulesOf(equations), required);
  return counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules);
}

// A closed set holding `required` is the closure C of required with a closed set of the
// restricted rules, so its size is |C| more than that of the latter.
std::vector<std::uint64_t> CountSubuniversesBySize(ClosedSetCounter& counter, const Order& order,
                                                   std::span<const Equation> equations,
                                                   Mask required) {
  const int n = order.size;
  assert(0 <= n && n <= maxElements);
  const std::vector<int> levels = LevelsOfADistributiveLattice(order, equations);
  if (required == 0) return counter.CountBySize(n, RulesOf(equations), levels);
  const Restriction restriction = RestrictToSupersets(n, RulesOf(equations), required);
  std::vector<int> restrictedLevels;
  if (!levels.empty())
    for (int x : restriction.elements) restrictedLevels.push_back(levels[x]);
  const std::vector<std::uint64_t> rest = counter.CountBySize(
      static_cast<int>(restriction.elements.size()), restriction.rules, restrictedLevels);
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

}  // namespace mirelkon
