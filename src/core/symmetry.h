// The symmetries of a partial lattice, the permutations of its elements that keep the order and
// take every equation to an equation of the same operation, and the number of its closed
// subsets up to them: by Burnside's lemma the average, over the group, of the closed subsets
// that an automorphism g fixes. Those are unions of g's cycles, the closed subsets of the rules
// that g's cycles obey as elements of their own, counted by the same counter.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/equation.h"
#include "core/order.h"

// Groups up to this size are run through one element at a time.
constexpr std::uint64_t maxEnumeratedAutomorphisms = 1000000;

struct SymmetryCount {
  std::string automorphisms;          // |Aut(L)| in decimal, exact however large
  std::uint64_t stabilizer = 0;       // the automorphisms that keep `required` as a set
  std::optional<SubsetCount> orbits;  // none when the group has more than the maximum
};

// The closed subsets holding `required`, up to the automorphisms that keep `required` as a set.
SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required);
