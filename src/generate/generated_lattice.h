// A small lattice as the generator builds it: the elements numbered along a linear extension
// of the order, bottom 0 and top size-1, each with the masks of the elements above it, below
// it and covered by it.
#pragma once

#include <array>
#include <bit>
#include <cassert>
#include <compare>
#include <cstdint>
#include <vector>

#include "core/bits.h"
#include "core/order.h"

namespace mirelkon {

// The largest lattices the generator is asked for; already 2.3 * 10^13 of them up to
// isomorphism.
constexpr int maxGeneratedSize = 20;

// The number of elements of a set of a generated lattice. Its sets span at most 20 bits, so
// where the build may not assume the popcnt instruction, two lookups in a table of the counts
// of 10 bits replace the dozen instructions of a general count.
inline constexpr auto smallSetSizes = [] {
  std::array<std::uint8_t, 1 << (maxGeneratedSize / 2)> sizes{};
  for (unsigned m = 0; m < sizes.size(); ++m)
    sizes[m] = static_cast<std::uint8_t>(std::popcount(m));
  return sizes;
}();

inline int SmallSize(Mask m) {
  assert(m >> maxGeneratedSize == 0);
#ifdef __POPCNT__
  return std::popcount(m);
#else
  return smallSetSizes[m & (smallSetSizes.size() - 1)] + smallSetSizes[m >> maxGeneratedSize / 2];
#endif
}

struct GeneratedLattice {
  int size = 0;
  std::array<Mask, maxGeneratedSize> up{};           // up[x]: the y with x <= y
  std::array<Mask, maxGeneratedSize> down{};         // down[x]: the y with y <= x
  std::array<Mask, maxGeneratedSize> lowerCovers{};  // the y that x covers

  int Top() const { return size - 1; }
  // The elements covered by the top; none in the one-element lattice.
  Mask Coatoms() const { return lowerCovers[Top()]; }

  // The same order as the library's relation type, for the lattice check and the count.
  Order AsOrder() const;
};

// Spreads the bits of a number over the whole word, so that sums of such numbers over
// different sets rarely coincide.
inline std::uint64_t Mix(std::uint64_t z) {
  z += 0x9e3779b97f4a7c15u;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  return z ^ (z >> 31);
}

// A number per element that automorphisms keep, from the sizes of its down-set and up-set,
// mixed so that sums over sets of elements rarely coincide by accident.
inline std::uint64_t ElementInvariant(int downSize, int upSize) {
  return Mix(static_cast<std::uint64_t>(downSize) << 8 | static_cast<std::uint64_t>(upSize));
}

// A pair of elements, the upper one covering the lower one.
struct CoverPair {
  std::uint8_t lower, upper;
  auto operator<=>(const CoverPair&) const = default;
};

// The cover pairs of a lattice in increasing order, by the lower element first.
std::vector<CoverPair> CoverPairs(const GeneratedLattice& lattice);

// The lattices the generation starts from: one element, and the chain of two.
GeneratedLattice SingleElement();
GeneratedLattice ChainOfTwo();

// The parent with one new coatom c whose strict down-set is `below` and whose lower covers,
// the maximal elements of `below`, are `covered`. The new coatom takes the number of the old
// top, which moves up by one, so the numbering stays a linear extension. `below` must make
// the result a lattice (see IsCoatomDownSet).
void AddCoatom(const GeneratedLattice& parent, Mask below, Mask covered, GeneratedLattice& child);

// Whether a down-set of the parent without its top, holding the bottom, can lie below a new
// coatom: exactly when every element outside it meets it in a principal down-set, which is
// when the new coatom's meet with that element exists.
bool IsCoatomDownSet(const GeneratedLattice& parent, Mask below);

}  // namespace mirelkon
