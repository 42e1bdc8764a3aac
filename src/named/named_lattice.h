// Lattices and partial lattices handed over by other programs, scripts and bindings rather
// than read from a file: elements by their names, the order by pairs of them, equations by
// element numbers; checked, and refused with a std::invalid_argument whose text names the
// elements (not a lattice: which pair has no join; a cycle; too many elements; a second value).
#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/derivation.h"
#include "core/lattice.h"
#include "core/partial_lattice.h"

namespace mirelkon {

// lower < upper, by element numbers: cover pairs, or any pairs that generate the order.
using ElementPair = std::pair<int, int>;

struct NamedLattice {
  std::vector<std::string> names;
  Order order;
  LatticeTables tables;
  std::vector<Equation> equations;  // the join and meet of every incomparable pair
  int bottom = 0, top = 0;

  int Size() const { return order.size; }
};

// The lattice the pairs generate on the named elements (at least one, at most maxElements).
NamedLattice LatticeFromPairs(std::vector<std::string> names, std::span<const ElementPair> pairs);

// The lattice of a closed order that may not be one.
NamedLattice LatticeFromOrder(std::vector<std::string> names, const Order& order);

// "not a lattice: a and b ...", naming the elements by their names.
std::string LatticeFaultText(std::span<const std::string> names, const LatticeFault& fault);

// A partial lattice: named elements, the order the pairs generate, and equations of the join
// "+", the meet "*" and the further operations, each named by a character of
// `furtherOperations` (neither "+" nor "*"), with the equations that follow from them.
struct NamedPartialLattice {
  std::vector<std::string> names;
  PartialLattice lattice;  // its element symbols are the default ones, in the names' order
  Derivation derivation;   // without a fault
};

NamedPartialLattice PartialLatticeFromPairs(std::vector<std::string> names,
                                            std::span<const ElementPair> pairs,
                                            std::vector<Equation> equations,
                                            const std::string& furtherOperations);

// "a + b = c", with the names.
std::string EquationText(std::span<const std::string> names, const Equation& e);

}  // namespace mirelkon
