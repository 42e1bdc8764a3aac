// Equations of a partial lattice: left op right = result, for the join "+", the meet "*" or a
// further operation named by its own symbol. For counting, every equation is the rule "left
// and right in a subset force result in", whatever its operation.
#pragma once

#include <cstdint>
#include <string>

namespace mirelkon {

constexpr char joinSymbol = '+';
constexpr char meetSymbol = '*';

struct Equation {
  std::uint8_t left;  // elements numbered from 0
  std::uint8_t right;
  std::uint8_t result;
  char operation;  // the operation's symbol

  bool IsJoin() const { return operation == joinSymbol; }
  bool IsMeet() const { return operation == meetSymbol; }
  // Whether its rule can exclude a subset: its result is none of its arguments.
  bool Excludes() const { return result != left && result != right; }
  bool operator==(const Equation&) const = default;
};

// The written form of an equation: left symbol, operation symbol, right symbol, "=", result
// symbol, with the symbols of the elements given one character per element.
inline std::string WrittenForm(const std::string& elementSymbols, const Equation& e) {
  return {elementSymbols[e.left], e.operation, elementSymbols[e.right], '=',
          elementSymbols[e.result]};
}

}  // namespace mirelkon
