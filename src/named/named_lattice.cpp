// Building lattices and partial lattices from named elements through the library's lattice
// check and derivation; only the checks of what a file reader would have refused by its
// syntax, and the wording with names, are done here.
#include "named/named_lattice.h"

#include <stdexcept>

namespace mirelkon {

namespace {

void CheckSize(std::size_t n) {
  if (n > static_cast<std::size_t>(maxElements))
    throw std::invalid_argument(std::to_string(n) + " elements, more than the " +
                                std::to_string(maxElements) + " a lattice may have");
}

void CheckElement(std::span<const std::string> names, int x) {
  if (x < 0 || x >= static_cast<int>(names.size()))
    throw std::invalid_argument("no element is numbered " + std::to_string(x));
}

// The order the pairs generate, closed; cycles are kept for the caller to find.
Order OrderOfPairs(std::span<const std::string> names, std::span<const ElementPair> pairs) {
  CheckSize(names.size());
  Order order = Order::Identity(static_cast<int>(names.size()));
  for (const auto& [lower, upper] : pairs) {
    CheckElement(names, lower);
    CheckElement(names, upper);
    if (lower == upper) throw std::invalid_argument(names[lower] + " is given below itself");
    order.Add(lower, upper);
  }
  order.Close();
  return order;
}

// The one element below every other in the tables' lattice, or above every other.
int Bound(const LatticeTables& tables, bool top) {
  int bound = 0;
  for (int x = 1; x < tables.size; ++x) bound = top ? tables.join[bound][x] : tables.meet[bound][x];
  return bound;
}

std::string DerivationFaultText(std::span<const std::string> names, const Derivation& derivation) {
  const DerivationFault& fault = *derivation.fault;
  switch (fault.kind) {
    case DerivationFault::secondValue: {
      const Equation& first = derivation.table[fault.firstValue];
      return names[first.left] + " " + first.operation + " " + names[first.right] +
             " has two values, " + names[first.result] + " and " + names[fault.equation.result];
    }
    case DerivationFault::forbidden:
      return "the equations force " + EquationText(names, fault.equation) +
             ", which names an element twice";
    case DerivationFault::tableFull:
      break;
  }
  return "more than " + std::to_string(maxConstraints) + " equations, given and derived";
}

}  // namespace

NamedLattice LatticeFromPairs(std::vector<std::string> names, std::span<const ElementPair> pairs) {
  const Order order = OrderOfPairs(names, pairs);
  return LatticeFromOrder(std::move(names), order);
}

NamedLattice LatticeFromOrder(std::vector<std::string> names, const Order& order) {
  if (names.empty()) throw std::invalid_argument("a lattice has at least one element");
  CheckSize(names.size());
  NamedLattice lattice{std::move(names), order, {}, {}};
  const LatticeCheck check = CheckLattice(order);
  if (check.fault) throw std::invalid_argument(LatticeFaultText(lattice.names, *check.fault));
  lattice.tables = check.tables;
  lattice.equations = LatticeEquations(order, check.tables);
  lattice.bottom = Bound(check.tables, false);
  lattice.top = Bound(check.tables, true);
  return lattice;
}

std::string LatticeFaultText(std::span<const std::string> names, const LatticeFault& fault) {
  const std::string pair = "not a lattice: " + names[fault.x] + " and " + names[fault.y];
  switch (fault.kind) {
    case LatticeFault::cycle:
      return pair + " are each below the other";
    case LatticeFault::noUpperBound:
      return pair + " have no upper bound";
    case LatticeFault::noLowerBound:
      return pair + " have no lower bound";
    case LatticeFault::twoUpperBounds:
    case LatticeFault::twoLowerBounds:
      break;
  }
  return pair + " have two " +
         (fault.kind == LatticeFault::twoUpperBounds ? "minimal upper" : "maximal lower") +
         " bounds, " + names[fault.first] + " and " + names[fault.second];
}

NamedPartialLattice PartialLatticeFromPairs(std::vector<std::string> names,
                                            std::span<const ElementPair> pairs,
                                            std::vector<Equation> equations,
                                            const std::string& furtherOperations) {
  const Order order = OrderOfPairs(names, pairs);
  for (int x = 0; x < order.size; ++x)
    for (int y = x + 1; y < order.size; ++y)
      if (order.Below(x, y) && order.Below(y, x))
        throw std::invalid_argument(names[x] + " and " + names[y] + " are each below the other");
  const std::string operations = std::string{joinSymbol, meetSymbol} + furtherOperations;
  for (std::size_t k = 2; k < operations.size(); ++k)
    if (operations.find(operations[k]) != k)
      throw std::invalid_argument(std::string("the operation \"") + operations[k] +
                                  "\" is given twice, or stands for the join or the meet");
  for (const Equation& e : equations) {
    for (int x : {e.left, e.right, e.result}) CheckElement(names, x);
    if (operations.find(e.operation) == std::string::npos)
      throw std::invalid_argument(std::string("no operation \"") + e.operation + "\"");
  }
  NamedPartialLattice partial{
      std::move(names),
      {std::string(defaultElementSymbols, order.size), operations, order, std::move(equations)},
      {}};
  partial.derivation = Derive(partial.lattice);
  if (partial.derivation.fault)
    throw std::invalid_argument(DerivationFaultText(partial.names, partial.derivation));
  return partial;
}

std::string EquationText(std::span<const std::string> names, const Equation& e) {
  return names[e.left] + " " + e.operation + " " + names[e.right] + " = " + names[e.result];
}

}  // namespace mirelkon
