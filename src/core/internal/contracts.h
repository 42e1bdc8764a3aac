// The checks at the library's entry points. What a caller hands in is checked in every build,
// and a breach throws std::invalid_argument with the reason: a number of elements the sets
// cannot hold, a rule or an equation naming an element outside them, levels of the wrong
// length. The library's own invariants stay assertions.
#pragma once

#include <span>
#include <string_view>

#include "core/bits.h"
#include "core/equation.h"
#include "core/limits.h"
#include "core/rule.h"

namespace mirelkon {

// 0 <= n <= largest; `what` names the caller in the message ("Count").
void CheckSize(std::string_view what, int n, int largest = maxElements);
void CheckRules(std::string_view what, int n, std::span<const Rule> rules);
// The wide counter's rules, for n up to maxWideElements.
void CheckRules(std::string_view what, int n, std::span<const WideRule> rules);
void CheckEquations(std::string_view what, int n, std::span<const Equation> equations);
void CheckRequired(std::string_view what, int n, Mask required);
// Required elements by number, for n up to maxWideElements.
void CheckRequired(std::string_view what, int n, std::span<const int> required);
void CheckLevels(std::string_view what, int n, std::span<const int> levels);

}  // namespace mirelkon
