// The first decisions of a count, taken up to the symmetries of its rules. An automorphism of
// the rules, a permutation of the elements taking rules to rules, takes closed sets to closed
// sets; so as many closed sets decide the elements of an orbit O one way as decide them by
// any image of that way. The count is then a sum over the classes of ways to decide O that
// the group relates: the closed sets of one way of each class, times the class's size. B6 by
// its joins decides its 15 four-element sets in 156 classes instead of 32768 ways.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/bits.h"
#include "core/internal/residual.h"

namespace mirelkon {

// The orbits of at most this many elements are looked at: their ways to be decided are the
// bits of a table, and each is carried by the group's generators once.
constexpr int maxSplitElements = 16;

// A split pays when it counts at most one in this many ways. Every split by one orbit
// measured so far paid: B4 x C4 by its meets, whose six-element orbits have 5.8 ways per
// class, counts in 0.57 of the time, the divisors of 7560 in 0.59. Orbits of fewer ways per
// class, such as a swapped pair (four ways in three classes), were not tried.
constexpr int fewestWaysPerClass = 4;

template <class Set>
struct SymmetricSplit {
  struct Class {
    Set in;              // the elements of `decided` in, for one way of the class
    std::uint64_t size;  // the ways to decide `decided` in the class
  };
  Set decided = 0;  // the orbit decided first; 0: no split pays
  std::vector<Class> classes;
};

// The split of the rules' best orbit: the one whose ways fall into the fewest classes for
// their number, and of those the one whose elements score highest (the counter's branch
// score). None when the rules have no symmetry, no orbit pays, or their digraph is larger
// than nauty is given (core/internal/automorphism_search.h).
template <class Set>
SymmetricSplit<Set> PlanSymmetricSplit(int n, const RuleMasks<Set>& rules,
                                       std::span<const std::int64_t> score);

}  // namespace mirelkon
