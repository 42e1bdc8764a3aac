// The search for the down-sets of new coatoms and the removal of automorphic duplicates.
#include "generate/coatom_extensions.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace mirelkon {

namespace {

// The classes of twins with two elements or more: elements with the same lower and the same
// upper covers, which is to say the same strict down-sets and strict up-sets. Every
// permutation within such a class is an automorphism.
void FindTwinClasses(const GeneratedLattice& lattice, std::vector<Mask>& classes) {
  classes.clear();
  Mask placed = 0;
  for (int x = 0; x < lattice.size; ++x) {
    if (Holds(placed, x)) continue;
    const Mask strictDown = lattice.down[x] ^ Bit(x), strictUp = lattice.up[x] ^ Bit(x);
    Mask twins = Bit(x);
    for (int y = x + 1; y < lattice.size; ++y)
      if ((lattice.down[y] ^ Bit(y)) == strictDown && (lattice.up[y] ^ Bit(y)) == strictUp)
        twins |= Bit(y);
    placed |= twins;
    if (twins != Bit(x)) classes.push_back(twins);
  }
}

// The first k elements of a set.
Mask FirstOf(Mask set, int k) {
  Mask first = 0;
  for (; k > 0; --k, set &= set - 1) first |= LowestBit(set);
  return first;
}

// A second round of element invariants: each element's own mixed with those of the elements
// it covers and of those covering it, the top left out.
void RefineInvariants(const GeneratedLattice& lattice, const std::uint64_t* invariant,
                      std::uint64_t* refined) {
  const int top = lattice.Top();
  for (int x = 0; x < top; ++x) refined[x] = invariant[x];
  for (int y = 0; y < top; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1) {
      refined[y] += std::rotl(invariant[Lowest(covered)], 7);
      refined[Lowest(covered)] += std::rotl(invariant[y], 13);
    }
  for (int x = 0; x < top; ++x) refined[x] = Mix(refined[x]);
}

// The root of x's tree in a union-find forest, halving the path on the way.
int Root(std::vector<int>& root, int x) {
  while (root[x] != x) x = root[x] = root[root[x]];
  return x;
}

}  // namespace

// What the search needs of the parent besides the lattice itself.
struct ExtensionFinder::Parent {
  const GeneratedLattice& lattice;
  DownSetSizes sizes;
  Mask joinsToTop[maxGeneratedSize];  // [x]: the y with x + y = top
  std::uint64_t hash[maxGeneratedSize];
  int coatomCount = 0;
  int coatomsByKey[maxGeneratedSize];  // the old coatoms, largest key first
  CoatomKey key[maxGeneratedSize];     // [coatom]

  explicit Parent(const GeneratedLattice& p) : lattice(p), sizes(MeasureDownSets(p)) {
    const int top = p.Top();
    // x + y = top exactly when y is below no element of x's up-set but the top.
    for (int x = 0; x < top; ++x) {
      hash[x] = ElementInvariant(sizes.size[x], SmallSize(p.up[x]));
      Mask belowCommon = 0;
      for (Mask above = p.up[x] & ~Bit(top); above != 0; above &= above - 1)
        belowCommon |= p.down[Lowest(above)];
      joinsToTop[x] = FirstElements(top) & ~belowCommon;
    }
    for (Mask coatoms = p.Coatoms(); coatoms != 0; coatoms &= coatoms - 1) {
      const int coatom = Lowest(coatoms);
      key[coatom] = KeyOfCoatom(p, sizes, coatom);
      coatomsByKey[coatomCount++] = coatom;
    }
    std::sort(coatomsByKey, coatomsByKey + coatomCount,
              [&](int a, int b) { return key[a] > key[b]; });
  }
};

void ExtensionFinder::Find(const GeneratedLattice& lattice, std::vector<CoatomExtension>& found,
                           ExtensionStats& stats) {
  assert(lattice.size >= 2);
  const Parent parent(lattice);
  candidates_.clear();
  // Permuting twins is an automorphism, so only down-sets that hold, of each class of twins
  // they do not hold whole, its first ones are sought: a clique takes a twin only after the
  // twins numbered before it. Twins are incomparable and lie below the same elements, so
  // a clique that skipped one can never take it later.
  FindTwinClasses(lattice, twinClasses_);
  Mask earlierTwins[maxGeneratedSize] = {};
  for (const Mask twins : twinClasses_)
    for (Mask rest = twins; rest != 0; rest &= rest - 1)
      earlierTwins[Lowest(rest)] = twins & FirstElements(Lowest(rest));
  // Depth first through the cliques, each extended only by elements numbered above all of
  // its own, so that every clique comes once. The stack keeps each field in an array of its
  // own: a branch is read back right after it was written, and a load as wide as the whole
  // branch could not take its fields from the stores still in flight, which stalled it.
  constexpr int capacity = maxGeneratedSize * maxGeneratedSize;
  Mask coveredAt[capacity], extendByAt[capacity], belowAt[capacity];
  int depth = 0;
  const auto push = [&](Mask covered, Mask extendBy, Mask below) {
    assert(depth < capacity);
    coveredAt[depth] = covered;
    extendByAt[depth] = extendBy;
    belowAt[depth++] = below;
  };
  for (int x = lattice.Top() - 1; x >= 0; --x)
    if (earlierTwins[x] == 0)
      push(Bit(x), parent.joinsToTop[x] & ~FirstElements(x + 1), lattice.down[x]);
  while (depth > 0) {
    --depth;
    const Mask covered = coveredAt[depth], below = belowAt[depth];
    const Mask branchExtendBy = extendByAt[depth];
    for (Mask extendBy = branchExtendBy; extendBy != 0; extendBy &= extendBy - 1) {
      const int y = Lowest(extendBy);
      if ((earlierTwins[y] & ~below) != 0) continue;
      push(covered | Bit(y), branchExtendBy & parent.joinsToTop[y] & ~FirstElements(y + 1),
           below | lattice.down[y]);
    }
    ++stats.downSetsTried;
    Consider(parent, covered, below);
  }
  KeepOnePerOrbit(parent, stats);
  found.clear();
  for (const Candidate& candidate : candidates_) found.push_back(candidate.extension);
}

// Keeps the down-set when its new coatom's key is at least the largest key among the old
// coatoms that stay coatoms (those it does not cover) and the child is a lattice. Most are
// smaller than that coatom's down-set, which the key compares first.
void ExtensionFinder::Consider(const Parent& parent, Mask covered, Mask below) {
  const int downSize = SmallSize(below) + 1;
  int i = 0;
  while (i < parent.coatomCount && Holds(covered, parent.coatomsByKey[i])) ++i;
  if (i < parent.coatomCount && downSize < parent.sizes.size[parent.coatomsByKey[i]]) return;
  const CoatomKey key =
      MakeCoatomKey(downSize, SmallSize(covered), parent.sizes.SumOver(below) + downSize);
  if (i < parent.coatomCount && key < parent.key[parent.coatomsByKey[i]]) return;
  if (!IsCoatomDownSet(parent.lattice, below)) return;
  Mask tied = 0;
  for (; i < parent.coatomCount && parent.key[parent.coatomsByKey[i]] == key; ++i)
    if (!Holds(covered, parent.coatomsByKey[i])) tied |= Bit(parent.coatomsByKey[i]);
  std::uint64_t signature = key;
  for (Mask m = covered; m != 0; m &= m - 1) signature += parent.hash[Lowest(m)];
  candidates_.push_back({{below, covered, tied}, signature});
}

// Links each down-set of candidates_[first, last), which share their signature and are sorted,
// to its images under the generators, all of which are among them.
void ExtensionFinder::JoinOrbits(int first, int last) {
  for (int i = first; i < last; ++i)
    for (const Permutation& generator : generators_) {
      const Candidate image{
          {TwinCanonical(PermutedSet(generator, candidates_[i].extension.below)), 0, 0},
          candidates_[i].signature};
      const auto found = std::lower_bound(candidates_.begin() + first, candidates_.begin() + last,
                                          image, Precedes());
      assert(found != candidates_.begin() + last &&
             found->extension.below == image.extension.below);
      const int a = Root(orbitRoot_, i), b = Root(orbitRoot_, found - candidates_.begin());
      orbitRoot_[std::max(a, b)] = std::min(a, b);
    }
}

// Whether two down-sets share their signature. Most parents have a few candidates, all
// apart: they are compared pairwise, or through a small open-addressing table, which spares
// sorting anything. A slot holds a signature with its lowest bit set, so that 0 marks it
// empty; two signatures that differ there alone pass for a repeat, which costs a closer look
// and never a lattice.
bool ExtensionFinder::SignaturesRepeat() {
  const std::size_t count = candidates_.size();
  if (count <= 8) {
    for (std::size_t i = 1; i < count; ++i)
      for (std::size_t j = 0; j < i; ++j)
        if (candidates_[i].signature == candidates_[j].signature) return true;
    return false;
  }
  int bits = 5;
  while ((std::size_t{1} << bits) < 2 * count) ++bits;
  const std::size_t mask = (std::size_t{1} << bits) - 1;
  seen_.assign(mask + 1, 0);
  for (const Candidate& candidate : candidates_) {
    const std::uint64_t key = candidate.signature | 1;
    for (std::size_t slot = (key * 0x9e3779b97f4a7c15u) >> (64 - bits);; slot = (slot + 1) & mask) {
      if (seen_[slot] == key) return true;
      if (seen_[slot] == 0) {
        seen_[slot] = key;
        break;
      }
    }
  }
  return false;
}

// Joins the orbits under generators_: among the down-sets of one signature, the orbits are
// the connected parts of the graph in which each generator links a down-set to its image.
void ExtensionFinder::JoinAllOrbits() {
  const int count = static_cast<int>(candidates_.size());
  for (int first = 0, last; first < count; first = last) {
    for (last = first + 1;
         last < count && candidates_[last].signature == candidates_[first].signature;)
      ++last;
    if (last - first > 1) JoinOrbits(first, last);
  }
}

Mask ExtensionFinder::TwinCanonical(Mask below) const {
  for (const Mask twins : twinClasses_)
    below = (below & ~twins) | FirstOf(twins, SmallSize(below & twins));
  return below;
}

// Down-sets in one orbit share their signature, so only repeated signatures need the
// automorphisms. The down-sets are the least of their orbits under permutations of twins
// already, so nauty is asked for the rest of the group, and its generators link each down-set
// to the least image of its image. The least down-set of each orbit is kept.
void ExtensionFinder::KeepOnePerOrbit(const Parent& parent, ExtensionStats& stats) {
  if (!SignaturesRepeat()) return;
  // Most repeats are down-sets of elements alike only in their own sizes, which a second
  // round of invariants tells apart without nauty.
  std::uint64_t refined[maxGeneratedSize];
  RefineInvariants(parent.lattice, parent.hash, refined);
  for (Candidate& candidate : candidates_) {
    std::uint64_t covered = 0, below = 0;
    for (Mask m = candidate.extension.covered; m != 0; m &= m - 1) covered += refined[Lowest(m)];
    for (Mask m = candidate.extension.below; m != 0; m &= m - 1) below += refined[Lowest(m)];
    candidate.signature = Mix(candidate.signature) + covered + std::rotl(below, 23);
  }
  if (!SignaturesRepeat()) return;
  std::sort(candidates_.begin(), candidates_.end(), Precedes());
  ++stats.groupsComputed;
  FindAutomorphismGenerators(parent.lattice, generators_);
  const int count = static_cast<int>(candidates_.size());
  orbitRoot_.resize(count);
  for (int i = 0; i < count; ++i) orbitRoot_[i] = i;
  JoinAllOrbits();
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if (Root(orbitRoot_, i) == i) candidates_[kept++] = candidates_[i];
  candidates_.resize(kept);
}

}  // namespace mirelkon
