// The symmetries of a partial lattice, the permutations of its elements that keep the order and
// take every equation to an equation of the same operation, and the number of its closed
// subsets up to them: by Burnside's lemma the average, over the group, of the closed subsets
// that an automorphism g fixes. Those are unions of g's cycles, the closed subsets of the rules
// that g's cycles obey as elements of their own, counted by the same counter. Conjugate
// automorphisms fix equally many, so one is counted for each class of conjugates.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/equation.h"
#include "core/order.h"

namespace mirelkon {

// Groups up to this size are run through one element at a time.
constexpr std::uint64_t maxEnumeratedAutomorphisms = 1000000;
// Burnside's sum takes one count per class of conjugate automorphisms; above this many
// classes (a large group of commuting automorphisms) the count is withheld, its cost being
// that of as many counts.
constexpr std::uint64_t maxCountedClasses = 100000;

struct SymmetryCount {
  std::string automorphisms;          // |Aut(L)| in decimal, exact however large
  std::uint64_t stabilizer = 0;       // the automorphisms that keep `required` as a set
  std::uint64_t classes = 0;          // their classes of conjugates; 0 when not run through
  std::optional<SubsetCount> orbits;  // none above either maximum
};

// The closed subsets holding `required`, up to the automorphisms that keep `required` as a set.
SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required);

}  // namespace mirelkon
