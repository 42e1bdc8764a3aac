// The symmetries of a partial lattice, the permutations of its elements that keep the order and
// take every equation to an equation of the same operation, and the number of its closed
// subsets up to them: by Burnside's lemma the average, over the group, of the closed subsets
// that an automorphism g fixes. Those are unions of g's cycles, the closed subsets of the rules
// that g's cycles obey as elements of their own, counted by the same counter. Conjugate
// automorphisms fix equally many, so one is counted for each class of conjugates. Lattices
// beyond 64 elements are counted the same way over wide sets.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/big_count.h"
#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/equation.h"
#include "core/order.h"
#include "core/wide_lattice.h"
#include "core/wide_set_counter.h"

namespace mirelkon {

// Groups up to this size are run through one element at a time.
constexpr std::uint64_t maxEnumeratedAutomorphisms = 1000000;
// Burnside's sum takes one count per class of conjugate automorphisms; above this many
// classes (a large group of commuting automorphisms) the count is withheld, its cost being
// that of as many counts.
constexpr std::uint64_t maxCountedClasses = 100000;

template <class Count>
struct SymmetryCountOf {
  std::string automorphisms;     // |Aut(L)| in decimal, exact however large
  std::uint64_t stabilizer = 0;  // the automorphisms that keep `required` as a set
  std::uint64_t classes = 0;     // their classes of conjugates; 0 when not run through
  std::optional<Count> orbits;   // none above either maximum
};
using SymmetryCount = SymmetryCountOf<SubsetCount>;
using WideSymmetryCount = SymmetryCountOf<BigCount>;

// The closed subsets holding `required`, up to the automorphisms that keep `required` as a set.
SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required);

// The sublattices of a lattice of up to maxWideElements elements holding the `required`
// elements, up to the automorphisms that keep them as a set. A lattice given whole is fixed by
// its order, so its automorphisms are the order's. A cycle quotient of at most 64 cycles is
// counted by `narrow`, a larger one by `wide`; `levels` (DistributiveLevels, or none) speed up
// a distributive lattice as they do its count. A stop asked through `narrow` ends the run
// through the group, and through either counter its counts.
WideSymmetryCount CountSublatticesUpToSymmetry(WideSetCounter& wide, ClosedSetCounter& narrow,
                                               const WideOrder& order,
                                               const WideLatticeTables& tables,
                                               std::span<const int> required,
                                               std::span<const int> levels = {});

}  // namespace mirelkon
