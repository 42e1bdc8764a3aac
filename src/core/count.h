// The subuniverses of a partial lattice: the subsets of its elements closed under every
// equation (a subset holding the arguments of an equation holds its result), counted exactly,
// and sigma(L) = |Sub(L)| * 2^(subtrahend - |L|).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/equation.h"
#include "core/order.h"
#include "core/subset_count.h"

namespace mirelkon {

// Every equation as the rule "left and right force result in".
std::vector<Rule> RulesOf(std::span<const Equation> equations);

// The number of subsets of the order's elements closed under the equations. The order plays
// no part in the answer; where it is a distributive lattice and the equations state it whole,
// it guides the search.
SubsetCount CountSubuniverses(ClosedSetCounter& counter, const Order& order,
                              std::span<const Equation> equations);

// The number of those holding `required`: the closed subsets of the rules that the closed
// subsets holding its closure obey on the other elements.
SubsetCount CountSubuniversesHolding(ClosedSetCounter& counter, int n,
                                     std::span<const Equation> equations, Mask required);

// The subsets of the order's elements closed under the equations and holding `required`, by
// size: entry k, for k = 0..n, is the number of k elements.
std::vector<std::uint64_t> CountSubuniversesBySize(ClosedSetCounter& counter, const Order& order,
                                                   std::span<const Equation> equations,
                                                   Mask required = 0);

// |Sub(L)| * 2^(subtrahend - n), one halving or doubling at a time. Only the conversion of a
// count above 2^53 rounds; every later step is exact.
double Sigma(SubsetCount count, int n, int subtrahend);

}  // namespace mirelkon
