// The canonical coatom of a lattice: the one the generation removes to find the lattice's
// parent, so that a lattice is accepted only from that parent and hence exactly once.
//
// Every coatom gets a key computed from its down-set; the coatoms with the largest key are
// the candidates. When one coatom alone has it, it is canonical. Otherwise a second key, which
// sees the up-sets too, narrows them, and among those left nauty's canonical labelling picks
// the one with the highest label; the canonical coatoms are its orbit under the automorphisms.
// Every step depends on the lattice only up to isomorphism.
#pragma once

#include <cstdint>

#include "generate/generated_lattice.h"

namespace mirelkon {

// The size of a coatom's down-set, then the number of its lower covers, then the sum of the
// sizes of the down-sets of the elements below it, compared in this order, packed so that
// integer comparison orders them. A large down-set comes first: new coatoms with small
// down-sets, the most numerous, are then turned down before they are built.
using CoatomKey = std::uint64_t;

inline CoatomKey MakeCoatomKey(int downSize, int coveredCount, int downSizeSum) {
  return static_cast<CoatomKey>(downSize) << 40 | static_cast<CoatomKey>(coveredCount) << 32 |
         static_cast<CoatomKey>(downSizeSum);
}

// The sizes of the down-sets of the elements and their sums over each down-set, which make
// the keys.
struct DownSetSizes {
  static constexpr int bits = 5;  // a size is at most maxGeneratedSize
  int size[maxGeneratedSize];
  Mask sizeBit[bits];  // [k]: the elements whose size has bit k set

  // The sum of size[x] over the x in `set`, by bits: a few counts instead of a loop.
  int SumOver(Mask set) const {
    int sum = 0;
    for (int k = 0; k < bits; ++k) sum += SmallSize(set & sizeBit[k]) << k;
    return sum;
  }
};

DownSetSizes MeasureDownSets(const GeneratedLattice& lattice);

CoatomKey KeyOfCoatom(const GeneratedLattice& lattice, const DownSetSizes& sizes, int coatom);

// Whether `coatom` lies in the orbit of the canonical coatom, given the coatoms that share
// the largest key with it (itself among them). Settled by nauty unless the second key or
// twins settle it.
bool IsCanonicalAmongTied(const GeneratedLattice& lattice, int coatom, Mask tied);

}  // namespace mirelkon
