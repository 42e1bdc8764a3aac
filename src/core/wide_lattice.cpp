// The lattice check of a wide order. Elements are ranked along a linear extension (fewer
// elements below first), so that the least common upper bound of a pair, where there is one,
// is the first of the common upper bounds in rank order, and the check of a pair costs one
// pass over its bound row rather than a search for minimal elements.
#include "core/wide_lattice.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <numeric>

#include "core/bits.h"
#include "core/internal/contracts.h"

namespace mirelkon {

namespace {

int Words(int n) {
  return (n + 63) / 64;
}

// Rows of bits indexed by rank: bounds[r] holds the ranks of the elements above (or below)
// the element of rank r.
struct RankedRows {
  int words;
  std::vector<std::uint64_t> bits;

  std::uint64_t* Row(int r) { return bits.data() + static_cast<std::size_t>(r) * words; }
  const std::uint64_t* Row(int r) const {
    return bits.data() + static_cast<std::size_t>(r) * words;
  }
};

RankedRows Ranked(const WideOrder& order, const std::vector<int>& rank, bool upward) {
  const int n = order.Size();
  RankedRows rows{Words(n), std::vector<std::uint64_t>(static_cast<std::size_t>(n) * Words(n))};
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (upward ? order.Below(x, y) : order.Below(y, x))
        rows.Row(rank[x])[rank[y] / 64] |= Bit(rank[y] % 64);
  return rows;
}

// The elements of `bounds` (by rank) with no other element of bounds beyond them in `other`
// (the reverse rows), in element order: the minimal upper or maximal lower bounds.
std::vector<int> ExtremeBounds(const std::vector<std::uint64_t>& bounds, const RankedRows& other,
                               const std::vector<int>& element) {
  std::vector<int> extreme;
  for (int k = 0; k < static_cast<int>(bounds.size()) * 64; ++k) {
    if (!Holds(bounds[k / 64], k % 64)) continue;
    bool alone = true;
    for (int w = 0; w < other.words && alone; ++w)
      alone = (other.Row(k)[w] & bounds[w]) == (w == k / 64 ? Bit(k % 64) : 0);
    if (alone) extreme.push_back(element[k]);
  }
  std::sort(extreme.begin(), extreme.end());
  return extreme;
}

// The least bound of x and y, by element number, or the fault; `rows` run away from x and y.
std::optional<LatticeFault> LeastBound(const RankedRows& rows, const RankedRows& other,
                                       const std::vector<int>& rank,
                                       const std::vector<int>& element, int x, int y, bool upper,
                                       int& least) {
  const std::uint64_t *a = rows.Row(rank[x]), *b = rows.Row(rank[y]);
  std::vector<std::uint64_t> bounds(rows.words);
  int first = -1;
  for (int w = 0; w < rows.words; ++w) {
    bounds[w] = a[w] & b[w];
    if (first < 0 && bounds[w] != 0) first = upper ? 64 * w + Lowest(bounds[w]) : -1;
  }
  if (!upper)
    for (int w = rows.words - 1; w >= 0 && first < 0; --w)
      if (bounds[w] != 0) first = 64 * w + Highest(bounds[w]);
  if (first < 0)
    return LatticeFault{upper ? LatticeFault::noUpperBound : LatticeFault::noLowerBound, x, y};
  bool all = true;
  for (int w = 0; w < rows.words && all; ++w) all = (bounds[w] & ~rows.Row(first)[w]) == 0;
  if (all) {
    least = element[first];
    return std::nullopt;
  }
  const std::vector<int> extreme = ExtremeBounds(bounds, other, element);
  assert(extreme.size() >= 2);
  return LatticeFault{upper ? LatticeFault::twoUpperBounds : LatticeFault::twoLowerBounds, x, y,
                      extreme[0], extreme[1]};
}

}  // namespace

WideOrder::WideOrder(int n)
    : size_(n), words_(Words(n)), rows_(static_cast<std::size_t>(n) * Words(n)) {
  assert(0 <= n && n <= maxWideElements);
}

void WideOrder::Close() {
  for (int x = 0; x < size_; ++x) Add(x, x);
  for (int k = 0; k < size_; ++k)
    for (int x = 0; x < size_; ++x)
      if (Below(x, k))
        for (int w = 0; w < words_; ++w) rows_[Offset(x) + w] |= rows_[Offset(k) + w];
}

bool WideOrder::Covers(int lower, int upper) const {
  if (lower == upper || !Below(lower, upper)) return false;
  for (int z = 0; z < size_; ++z)
    if (z != lower && z != upper && Below(lower, z) && Below(z, upper)) return false;
  return true;
}

Order NarrowOrder(const WideOrder& wide) {
  CheckSize("NarrowOrder", wide.Size());
  Order order;
  order.size = wide.Size();
  for (int x = 0; x < order.size; ++x) order.above[x] = wide.Row(x).empty() ? 0 : wide.Row(x)[0];
  return order;
}

WideLatticeCheck CheckWideLattice(const WideOrder& order) {
  const int n = order.Size();
  WideLatticeCheck check;
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y)
      if (order.Below(x, y) && order.Below(y, x)) {
        check.fault = LatticeFault{LatticeFault::cycle, x, y};
        return check;
      }
  // Without cycles, x < y puts fewer elements below x than below y.
  std::vector<int> below(n, 0), element(n), rank(n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) below[y] += order.Below(x, y);
  std::iota(element.begin(), element.end(), 0);
  std::stable_sort(element.begin(), element.end(),
                   [&](int a, int b) { return below[a] < below[b]; });
  for (int r = 0; r < n; ++r) rank[element[r]] = r;
  const RankedRows up = Ranked(order, rank, true), down = Ranked(order, rank, false);
  WideLatticeTables& tables = check.tables;
  tables.size = n;
  tables.join.assign(static_cast<std::size_t>(n) * n, 0);
  tables.meet.assign(static_cast<std::size_t>(n) * n, 0);
  for (int x = 0; x < n; ++x)
    for (int y = x; y < n; ++y) {
      int join = 0, meet = 0;
      check.fault = LeastBound(up, down, rank, element, x, y, true, join);
      if (!check.fault) check.fault = LeastBound(down, up, rank, element, x, y, false, meet);
      if (check.fault) return check;
      const std::size_t xy = static_cast<std::size_t>(x) * n + y,
                        yx = static_cast<std::size_t>(y) * n + x;
      tables.join[xy] = tables.join[yx] = static_cast<std::uint16_t>(join);
      tables.meet[xy] = tables.meet[yx] = static_cast<std::uint16_t>(meet);
    }
  return check;
}

std::vector<int> DistributiveLevels(const WideOrder& order, const WideLatticeTables& t) {
  const int n = order.Size();
  if (n > maxLevelledElements) return {};
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      for (int z = y + 1; z < n; ++z)
        if (t.Meet(x, t.Join(y, z)) != t.Join(t.Meet(x, y), t.Meet(x, z))) return {};
  // Taken by their number of elements below, the elements below one come before it.
  std::vector<int> below(n, 0), byBelow(n), level(n, 0);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) below[y] += order.Below(x, y);
  std::iota(byBelow.begin(), byBelow.end(), 0);
  std::stable_sort(byBelow.begin(), byBelow.end(),
                   [&](int a, int b) { return below[a] < below[b]; });
  for (int x : byBelow)
    for (int y = 0; y < n; ++y)
      if (y != x && order.Below(y, x)) level[x] = std::max(level[x], level[y] + 1);
  return level;
}

std::vector<WideRule> SublatticeRules(const WideOrder& order, const WideLatticeTables& tables) {
  assert(order.Size() == tables.size);
  std::vector<WideRule> rules;
  for (int x = 0; x < order.Size(); ++x)
    for (int y = x + 1; y < order.Size(); ++y) {
      if (!order.Incomparable(x, y)) continue;
      const auto ux = static_cast<std::uint16_t>(x), uy = static_cast<std::uint16_t>(y);
      rules.push_back({ux, uy, static_cast<std::uint16_t>(tables.Join(x, y))});
      rules.push_back({ux, uy, static_cast<std::uint16_t>(tables.Meet(x, y))});
    }
  return rules;
}

void RequireElements(int n, std::span<const int> required, std::vector<WideRule>& rules) {
  for (int x = 0; x < n; ++x)
    for (int r : required)
      if (r != x)
        rules.push_back({static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(x),
                         static_cast<std::uint16_t>(r)});
}

}  // namespace mirelkon
