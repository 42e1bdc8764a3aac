// Partial lattices built in code.
#include "core/partial_lattice.h"

#include <stdexcept>

#include "core/lattice.h"

namespace mirelkon {

namespace {

std::vector<std::string> ElementNumbers(int n) {
  std::vector<std::string> numbers;
  for (int x = 0; x < n; ++x) numbers.push_back(std::to_string(x));
  return numbers;
}

}  // namespace

PartialLattice LatticeOf(const Order& order) {
  const LatticeCheck check = CheckLattice(order);
  if (check.fault)
    throw std::invalid_argument("LatticeOf: " +
                                LatticeFaultText(ElementNumbers(order.size), *check.fault));
  return {std::string(defaultElementSymbols, order.size), "+*", order,
          LatticeEquations(order, check.tables)};
}

}  // namespace mirelkon
