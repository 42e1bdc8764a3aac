// Keys of coatoms and the choice among coatoms with equal keys.
#include "generate/canonical_coatom.h"

#include <cassert>

#include "generate/hasse_symmetry.h"

DownSetSizes MeasureDownSets(const GeneratedLattice& lattice) {
  DownSetSizes sizes;
  for (int x = 0; x < lattice.size; ++x) {
    sizes.size[x] = Size(lattice.down[x]);
    sizes.sizeSum[x] = 0;
    for (Mask below = lattice.down[x]; below != 0; below &= below - 1)
      sizes.sizeSum[x] += sizes.size[Lowest(below)];
  }
  return sizes;
}

CoatomKey KeyOfCoatom(const GeneratedLattice& lattice, const DownSetSizes& sizes, int coatom) {
  return MakeCoatomKey(sizes.size[coatom], Size(lattice.lowerCovers[coatom]),
                       sizes.sizeSum[coatom]);
}

bool IsCanonicalAmongTied(const GeneratedLattice& lattice, int coatom, Mask tied) {
  assert(Holds(tied, coatom) && (tied & ~lattice.Coatoms()) == 0);
  // Two coatoms with the same lower covers are swapped by an automorphism. When every tied
  // coatom is such a twin of this one, all lie in its orbit, the canonical one too; this
  // settles nearly half of the ties without nauty.
  bool twins = true;
  for (Mask others = tied; others != 0 && twins; others &= others - 1)
    twins = lattice.lowerCovers[Lowest(others)] == lattice.lowerCovers[coatom];
  if (twins) return true;
  const CanonicalLabelling labelling = LabelCanonically(lattice);
  for (int label = lattice.size - 1; label >= 0; --label) {
    const int element = labelling.elementLabelled[label];
    if (Holds(tied, element)) return labelling.orbit[element] == labelling.orbit[coatom];
  }
  assert(false && "the tied coatoms have labels");
  return false;
}
