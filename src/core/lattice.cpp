// The lattice check. A bound of a pair is found as the only minimal (maximal) element among
// the common upper (lower) bounds: in a finite order a set with a single minimal element has
// that element as its least one.
#include "core/lattice.h"

#include <cassert>

namespace mirelkon {

namespace {

Order Reversed(const Order& order) {
  Order reversed;
  reversed.size = order.size;
  for (int x = 0; x < order.size; ++x) reversed.above[x] = order.BelowOf(x);
  return reversed;
}

// The least element of `bounds` in the order `up`: its only minimal one, or a fault.
std::optional<LatticeFault> LeastBound(const Order& up, const Order& down, int x, int y, bool upper,
                                       int& least) {
  const Mask bounds = up.above[x] & up.above[y];
  least = -1;
  for (Mask m = bounds; m != 0; m &= m - 1) {
    const int k = Lowest(m);
    if ((down.above[k] & bounds) != Bit(k)) continue;  // something common lies below k
    if (least >= 0)
      return LatticeFault{upper ? LatticeFault::twoUpperBounds : LatticeFault::twoLowerBounds, x, y,
                          least, k};
    least = k;
  }
  if (least < 0)
    return LatticeFault{upper ? LatticeFault::noUpperBound : LatticeFault::noLowerBound, x, y};
  return std::nullopt;
}

}  // namespace

LatticeCheck CheckLattice(const Order& order) {
  const int n = order.size;
  LatticeCheck check;
  check.tables.size = n;
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y)
      if (order.Below(x, y) && order.Below(y, x)) {
        check.fault = LatticeFault{LatticeFault::cycle, x, y};
        return check;
      }
  const Order reversed = Reversed(order);
  for (int x = 0; x < n; ++x)
    for (int y = x; y < n; ++y) {
      int join = 0, meet = 0;
      check.fault = LeastBound(order, reversed, x, y, true, join);
      if (!check.fault) check.fault = LeastBound(reversed, order, x, y, false, meet);
      if (check.fault) return check;
      check.tables.join[x][y] = check.tables.join[y][x] = static_cast<std::uint8_t>(join);
      check.tables.meet[x][y] = check.tables.meet[y][x] = static_cast<std::uint8_t>(meet);
    }
  return check;
}

std::vector<Equation> LatticeEquations(const Order& order, const LatticeTables& tables) {
  assert(order.size == tables.size);
  std::vector<Equation> equations;
  for (int x = 0; x < order.size; ++x)
    for (int y = x + 1; y < order.size; ++y) {
      if (!order.Incomparable(x, y)) continue;
      const auto ux = static_cast<std::uint8_t>(x), uy = static_cast<std::uint8_t>(y);
      equations.push_back({ux, uy, tables.join[x][y], joinSymbol});
      equations.push_back({ux, uy, tables.meet[x][y], meetSymbol});
    }
  return equations;
}

}  // namespace mirelkon
