// Building generated lattices: the starting lattices and one new coatom at a time.
#include "generate/generated_lattice.h"

#include <cassert>

namespace mirelkon {

Order GeneratedLattice::AsOrder() const {
  Order order;
  order.size = size;
  for (int x = 0; x < size; ++x) order.above[x] = up[x];
  return order;
}

std::vector<CoverPair> CoverPairs(const GeneratedLattice& lattice) {
  Mask upperCovers[maxGeneratedSize] = {};
  for (int y = 0; y < lattice.size; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1)
      upperCovers[Lowest(covered)] |= Bit(y);
  std::vector<CoverPair> pairs;
  for (int x = 0; x < lattice.size; ++x)
    for (Mask covering = upperCovers[x]; covering != 0; covering &= covering - 1)
      pairs.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(Lowest(covering))});
  return pairs;
}

GeneratedLattice SingleElement() {
  GeneratedLattice lattice;
  lattice.size = 1;
  lattice.up[0] = lattice.down[0] = Bit(0);
  return lattice;
}

GeneratedLattice ChainOfTwo() {
  GeneratedLattice lattice;
  lattice.size = 2;
  lattice.up = {Bit(0) | Bit(1), Bit(1)};
  lattice.down = {Bit(0), Bit(0) | Bit(1)};
  lattice.lowerCovers = {0, Bit(0)};
  return lattice;
}

void AddCoatom(const GeneratedLattice& parent, Mask below, Mask covered, GeneratedLattice& child) {
  const int c = parent.Top(), top = parent.size;
  assert(parent.size >= 2 && parent.size < maxGeneratedSize);
  assert(Holds(below, 0) && (below & ~FirstElements(c)) == 0);
  child.size = parent.size + 1;
  for (int x = 0; x < c; ++x) {
    child.up[x] = (parent.up[x] & ~Bit(c)) | Bit(top) | (Holds(below, x) ? Bit(c) : 0);
    child.down[x] = parent.down[x];
    child.lowerCovers[x] = parent.lowerCovers[x];
  }
  child.up[c] = Bit(c) | Bit(top);
  child.down[c] = below | Bit(c);
  child.lowerCovers[c] = covered;
  child.up[top] = Bit(top);
  child.down[top] = FirstElements(child.size);
  child.lowerCovers[top] = (parent.Coatoms() & ~covered) | Bit(c);
}

// Only the coatoms outside need a look: an element x outside lies below such a coatom d, and
// when `below` meets d in the down-set of m, it meets x in that of the meet of x and m.
bool IsCoatomDownSet(const GeneratedLattice& parent, Mask below) {
  for (Mask outside = parent.Coatoms() & ~below; outside != 0; outside &= outside - 1) {
    const Mask common = below & parent.down[Lowest(outside)];
    if (common != parent.down[Highest(common)]) return false;
  }
  return true;
}

}  // namespace mirelkon
