// A finite partial lattice as a value: its elements (one symbol each), its order, and the
// equations its operations are known to satisfy. The join "+" and the meet "*" are partial
// operations of it; further operations, named by other symbols, may be given beside them.
#pragma once

#include <string>
#include <vector>

#include "core/equation.h"
#include "core/order.h"

namespace mirelkon {

struct PartialLattice {
  std::string elementSymbols;    // element x is elementSymbols[x]; its length is the size
  std::string operationSymbols;  // the operations equations may use, "+" and "*" among them
  Order order;                   // closed
  std::vector<Equation> equations;

  int Size() const { return static_cast<int>(elementSymbols.size()); }
  bool HasJoinOrMeet() const { return operationSymbols.find_first_of("+*") != std::string::npos; }
  std::string WrittenForm(const Equation& e) const {
    return mirelkon::WrittenForm(elementSymbols, e);
  }
  // The element with the symbol, or -1 when the character is no element's symbol.
  int ElementOf(char symbol) const {
    const std::size_t at = elementSymbols.find(symbol);
    return at == std::string::npos ? -1 : static_cast<int>(at);
  }
};

// The symbols the library gives elements it names itself, bottom first: digits and letters,
// then the other characters an element symbol may be.
inline constexpr char defaultElementSymbols[] =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$&/:;<>@^_`|~";
static_assert(sizeof defaultElementSymbols - 1 >= maxElements);

// A lattice given by its closed order, stated by the joins and meets of its incomparable
// pairs, with the default symbols. The order must be a lattice (CheckLattice).
PartialLattice LatticeOf(const Order& order);

}  // namespace mirelkon
