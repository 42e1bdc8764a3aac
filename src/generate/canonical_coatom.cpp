// Keys of coatoms and the choice among coatoms with equal keys.
#include "generate/canonical_coatom.h"

#include <cassert>

#include "generate/hasse_symmetry.h"

namespace mirelkon {

DownSetSizes MeasureDownSets(const GeneratedLattice& lattice) {
  static_assert(maxGeneratedSize < 1 << DownSetSizes::bits);
  DownSetSizes sizes{};
  for (int x = 0; x < lattice.size; ++x) {
    sizes.size[x] = SmallSize(lattice.down[x]);
    for (int k = 0; k < DownSetSizes::bits; ++k)
      sizes.sizeBit[k] |= static_cast<Mask>(sizes.size[x] >> k & 1) << x;
  }
  return sizes;
}

CoatomKey KeyOfCoatom(const GeneratedLattice& lattice, const DownSetSizes& sizes, int coatom) {
  return MakeCoatomKey(sizes.size[coatom], SmallSize(lattice.lowerCovers[coatom]),
                       sizes.SumOver(lattice.down[coatom]));
}

namespace {

// The second key of a coatom, asked only among coatoms tied on the first: the sum of the
// element invariants over its down-set, which sees the up-sets as well as the down-sets.
std::uint64_t TieKey(const GeneratedLattice& lattice, const std::uint64_t* invariant, int coatom) {
  std::uint64_t key = 0;
  for (Mask below = lattice.down[coatom]; below != 0; below &= below - 1)
    key += invariant[Lowest(below)];
  return key;
}

}  // namespace

bool IsCanonicalAmongTied(const GeneratedLattice& lattice, int coatom, Mask tied) {
  assert(Holds(tied, coatom) && (tied & ~lattice.Coatoms()) == 0);
  // The canonical coatom is the one of largest second key among those tied on the first, so
  // a tie broken by the second key needs no canonical labelling: this settles about four in
  // five ties.
  std::uint64_t invariant[maxGeneratedSize];
  for (int x = 0; x < lattice.size; ++x)
    invariant[x] = ElementInvariant(SmallSize(lattice.down[x]), SmallSize(lattice.up[x]));
  const std::uint64_t own = TieKey(lattice, invariant, coatom);
  Mask stillTied = Bit(coatom);
  for (Mask others = tied & ~Bit(coatom); others != 0; others &= others - 1) {
    const std::uint64_t key = TieKey(lattice, invariant, Lowest(others));
    if (key > own) return false;
    if (key == own) stillTied |= Bit(Lowest(others));
  }
  // Two coatoms with the same lower covers are swapped by an automorphism. When every tied
  // coatom is such a twin of this one, all lie in its orbit, the canonical one too.
  bool twins = true;
  for (Mask others = stillTied; others != 0 && twins; others &= others - 1)
    twins = lattice.lowerCovers[Lowest(others)] == lattice.lowerCovers[coatom];
  if (twins) return true;
  const CanonicalLabelling labelling = LabelCanonically(lattice);
  for (int label = lattice.size - 1; label >= 0; --label) {
    const int element = labelling.elementLabelled[label];
    if (Holds(stillTied, element)) return labelling.orbit[element] == labelling.orbit[coatom];
  }
  assert(false && "the tied coatoms have labels");
  return false;
}

}  // namespace mirelkon
