// Counting sublattices through the library's lattice check and equations.
#include "generate/sublattice_counter.h"

#include <cassert>

#include "core/lattice.h"

std::uint64_t SublatticeCounter::Count(const GeneratedLattice& lattice) {
  const Order order = lattice.AsOrder();
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);
  rules_.clear();
  for (const Equation& e : LatticeEquations(order, check.tables))
    rules_.push_back({e.left, e.right, e.result});
  // At most 2^maxGeneratedSize subsets: the count fits 64 bits.
  return static_cast<std::uint64_t>(counter_.Count(lattice.size, rules_));
}
