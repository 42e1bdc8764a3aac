// Counting subuniverses with the closed-set counter.
#include "core/count.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "core/closed_set_lister.h"
#include "core/internal/closure.h"
#include "core/internal/contracts.h"
#include "core/lattice.h"

namespace mirelkon {

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

// Each element's level: the length of the longest chain below it.
std::vector<int> LevelsOf(const Order& order) {
  // An element has more elements below it than any element below it, so taking the elements
  // by that number (a counting sort) finds every level below one before the level itself.
  const int n = order.size;
  Mask below[maxElements] = {};  // [x]: the y < x, read off the masks above
  for (int y = 0; y < n; ++y)
    for (Mask m = order.above[y] & ~Bit(y); m != 0; m &= m - 1) below[Lowest(m)] |= Bit(y);
  int firstWith[maxElements + 1] = {}, byBelow[maxElements];
  for (int x = 0; x < n; ++x) ++firstWith[Size(below[x] &= ~order.above[x]) + 1];
  for (int k = 1; k <= n; ++k) firstWith[k] += firstWith[k - 1];
  for (int x = 0; x < n; ++x) byBelow[firstWith[Size(below[x])]++] = x;
  std::vector<int> level(n, 0);
  for (int k = 0; k < n; ++k) {
    const int x = byBelow[k];
    for (Mask m = below[x]; m != 0; m &= m - 1) level[x] = std::max(level[x], level[Lowest(m)] + 1);
  }
  return level;
}

// A lattice that is not distributive pays for levels when it is long and narrow, as the
// product of a small lattice with a long chain is: M3 x C12 and N5 x C12 with one more
// element between bottom and top, and M4 x C10, count 15 to 90 times faster with them. Random
// lattices of up to 64 elements have at most 9 levels, the partition lattice of 5 and the
// weak order of 4 elements 5 and 7; all of those count 1.4 to 3.6 times slower with levels.
constexpr int fewestGuidingLevels = 10;
constexpr int widestMeanLevel = 5;

bool LongAndNarrow(int n, const std::vector<int>& level) {
  const int levels = *std::max_element(level.begin(), level.end()) + 1;
  return levels >= fewestGuidingLevels && n <= widestMeanLevel * levels;
}

// The levels that guide the search, when the equations state a lattice whole and its levels
// pay: always where it is distributive, else where it is long and narrow; else none.
// Deciding such a lattice from the bottom up leaves residual problems that depend on a narrow
// band of decided elements, which the counter's cache finds again and again: products of
// chains and divisor lattices of 64 elements count 3 to 4 times faster so. Other lattices,
// partial lattices and other rules do better with the counter's own choice, some of them a
// thousandfold. Below 24 elements a count takes a fraction of a millisecond either way, and
// the checks would cost about as much as the levels save.
std::vector<int> GuidingLevels(const Order& order, std::span<const Equation> equations) {
  // A lattice with fewer than n incomparable pairs is nearly a chain and counts in
  // microseconds; the checks would take longer.
  const auto excluding = std::count_if(equations.begin(), equations.end(),
                                       [](const Equation& e) { return e.Excludes(); });
  LatticeTables tables;
  if (order.size < levelsFrom || excluding < 2 * order.size ||
      !StatedTables(order, equations, tables))
    return {};
  std::vector<int> level = LevelsOf(order);
  if (LongAndNarrow(order.size, level) || Distributive(order.size, tables)) return level;
  return {};
}

}  // namespace

Problem::Problem(const Order& order, std::vector<Equation> equations)
    : order_(order), equations_(std::move(equations)) {
  CheckEquations("Problem", order_.size, equations_);
  rules_ = RulesOf(equations_);
  levels_ = GuidingLevels(order_, equations_);
}

SubsetCount Problem::Count(ClosedSetCounter& counter, Mask required) const {
  CheckRequired("Problem", order_.size, required);
  if (required == 0) return counter.Count(order_.size, rules_, levels_);
  const Restriction restriction = RestrictToSupersets(order_.size, rules_, required);
  return counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules);
}

// A closed set holding `required` is the closure C of required with a closed set of the
// restricted rules, so its size is |C| more than that of the latter.
std::vector<std::uint64_t> Problem::CountBySize(ClosedSetCounter& counter, Mask required) const {
  CheckRequired("Problem", order_.size, required);
  const int n = order_.size;
  if (required == 0) return counter.CountBySize(n, rules_, levels_);
  const Restriction restriction = RestrictToSupersets(n, rules_, required);
  std::vector<int> restrictedLevels;
  if (!levels_.empty())
    for (int x : restriction.elements) restrictedLevels.push_back(levels_[x]);
  const std::vector<std::uint64_t> rest = counter.CountBySize(
      static_cast<int>(restriction.elements.size()), restriction.rules, restrictedLevels);
  std::vector<std::uint64_t> bySize(n + 1, 0);
  std::copy(rest.begin(), rest.end(), bySize.begin() + mirelkon::Size(restriction.closure));
  return bySize;
}

SymmetryCount Problem::CountUpToSymmetry(ClosedSetCounter& counter, Mask required) const {
  CheckRequired("Problem", order_.size, required);
  return mirelkon::CountUpToSymmetry(counter, order_, equations_, required);
}

bool Problem::List(Mask required, const std::function<bool(Mask)>& visit) const {
  CheckRequired("Problem", order_.size, required);
  return ListClosedSets(order_.size, rules_, required, visit);
}

double Sigma(SubsetCount count, int n, int subtrahend) {
  double sigma = static_cast<double>(count);
  for (int i = n; i > subtrahend; --i) sigma /= 2.0;
  for (int i = n; i < subtrahend; ++i) sigma *= 2.0;
  return sigma;
}

}  // namespace mirelkon
