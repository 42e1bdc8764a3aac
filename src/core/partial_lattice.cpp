// Partial lattices built in code.
#include "core/partial_lattice.h"

#include <cassert>

#include "core/lattice.h"

namespace mirelkon {

PartialLattice LatticeOf(const Order& order) {
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);
  return {std::string(defaultElementSymbols, order.size), "+*", order,
          LatticeEquations(order, check.tables)};
}

}  // namespace mirelkon
