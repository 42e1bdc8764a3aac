// Counting sublattices through the library's lattice check and equations.
#include "generate/sublattice_counter.h"

#include <cassert>

#include "core/count.h"
#include "core/lattice.h"

namespace mirelkon {

std::uint64_t SublatticeCounter::Count(const GeneratedLattice& lattice) {
  const Order order = lattice.AsOrder();
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);
  const std::vector<Rule> rules = RulesOf(LatticeEquations(order, check.tables));
  // The counter's own choice of branch elements: looking for distributive lattices to sweep
  // bottom up, as CountSubuniverses does, costs more than it saves on lattices this small.
  // At most 2^maxGeneratedSize subsets: the count fits 64 bits.
  return static_cast<std::uint64_t>(counter_.Count(lattice.size, rules));
}

}  // namespace mirelkon
