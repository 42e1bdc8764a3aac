// Lattices among orders: the check that every two elements have a least upper and a greatest
// lower bound, the join and meet tables, and the equations that state a lattice's joins and
// meets.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/equation.h"
#include "core/limits.h"
#include "core/order.h"

namespace mirelkon {

struct LatticeTables {
  int size = 0;
  std::uint8_t join[maxElements][maxElements];
  std::uint8_t meet[maxElements][maxElements];

  int Value(const Equation& e) const {
    return e.IsJoin() ? join[e.left][e.right] : meet[e.left][e.right];
  }
};

// Why an order is no lattice: the first fault found, trying the pairs x < y for a cycle, then
// the pairs x <= y in element order, for each the upper bounds before the lower ones.
struct LatticeFault {
  enum Kind { cycle, noUpperBound, noLowerBound, twoUpperBounds, twoLowerBounds };
  Kind kind;
  int x, y;
  int first = -1, second = -1;  // the two minimal upper (maximal lower) bounds
};

struct LatticeCheck {
  std::optional<LatticeFault> fault;
  LatticeTables tables;  // filled when there is no fault
};

// Checks a closed order as a lattice and fills its join and meet tables.
LatticeCheck CheckLattice(const Order& order);

// The join and meet of every incomparable pair x < y, in this order: x+y, then x*y. These are
// the equations that state a lattice; comparable pairs add nothing, their join and meet being
// one of them.
std::vector<Equation> LatticeEquations(const Order& order, const LatticeTables& tables);

}  // namespace mirelkon
