// Canonical labelling and automorphisms of a lattice, found by nauty on its Hasse diagram with
// the elements coloured by the sizes of their down-sets and up-sets, which orient its edges:
// the automorphisms of a finite lattice are exactly those of its Hasse diagram.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "generate/generated_lattice.h"

namespace mirelkon {

struct CanonicalLabelling {
  std::array<int, maxGeneratedSize> elementLabelled{};  // [i]: the element with label i
  std::array<int, maxGeneratedSize> orbit{};            // [x]: the least element of x's orbit
};

// A permutation of the elements: [x] is the image of x.
using Permutation = std::array<std::uint8_t, maxGeneratedSize>;

// The canonical labelling: isomorphic lattices get labellings that map onto each other.
CanonicalLabelling LabelCanonically(const GeneratedLattice& lattice);

// Replaces `generators` by permutations that generate the automorphism group (none when it
// is trivial).
void FindAutomorphismGenerators(const GeneratedLattice& lattice,
                                std::vector<Permutation>& generators);

// The image of a set of elements.
Mask PermutedSet(const Permutation& permutation, Mask set);

}  // namespace mirelkon
