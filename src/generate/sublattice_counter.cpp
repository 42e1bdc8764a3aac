// Counting sublattices through the library's lattice check and equations.
#include "generate/sublattice_counter.h"

#include <cassert>

#include "core/count.h"
#include "core/lattice.h"

std::uint64_t SublatticeCounter::Count(const GeneratedLattice& lattice) {
  const Order order = lattice.AsOrder();
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);
  // At most 2^maxGeneratedSize subsets: the count fits 64 bits.
  return static_cast<std::uint64_t>(
      CountSubuniverses(counter_, lattice.size, LatticeEquations(order, check.tables)));
}
