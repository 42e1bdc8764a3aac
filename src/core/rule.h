// The rule "left and right in a subset force result in", elements numbered from 0: what the
// counter counts under. A rule whose result is one of its arguments excludes no subset.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/equation.h"

namespace mirelkon {

struct Rule {
  std::uint8_t left;
  std::uint8_t right;
  std::uint8_t result;
};

// Every equation as its rule, whatever its operation.
inline std::vector<Rule> RulesOf(std::span<const Equation> equations) {
  std::vector<Rule> rules;
  rules.reserve(equations.size());
  for (const Equation& e : equations) rules.push_back({e.left, e.right, e.result});
  return rules;
}

// The same rule over more elements than a byte can number, for sets wider than a 64-bit mask.
struct WideRule {
  std::uint16_t left;
  std::uint16_t right;
  std::uint16_t result;
};

}  // namespace mirelkon
