// The search for the down-sets of new coatoms and the removal of automorphic duplicates.
#include "generate/coatom_extensions.h"

#include <algorithm>
#include <cassert>

namespace {

// The classes of twins with two elements or more: elements with the same lower and the same
// upper covers. Every permutation within such a class is an automorphism.
void FindTwinClasses(const GeneratedLattice& lattice, std::vector<Mask>& classes) {
  Mask upperCovers[maxGeneratedSize] = {};
  for (int y = 0; y < lattice.size; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1)
      upperCovers[Lowest(covered)] |= Bit(y);
  classes.clear();
  Mask placed = 0;
  for (int x = 0; x < lattice.size; ++x) {
    if (Holds(placed, x)) continue;
    Mask twins = Bit(x);
    for (int y = x + 1; y < lattice.size; ++y)
      if (lattice.lowerCovers[y] == lattice.lowerCovers[x] && upperCovers[y] == upperCovers[x])
        twins |= Bit(y);
    placed |= twins;
    if (SmallSize(twins) > 1) classes.push_back(twins);
  }
}

// The first k elements of a set.
Mask FirstOf(Mask set, int k) {
  Mask first = 0;
  for (; k > 0; --k, set &= set - 1) first |= LowestBit(set);
  return first;
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
    for (int x = 0; x < top; ++x) {
      joinsToTop[x] = 0;
      hash[x] = ElementInvariant(p, x);
      for (int y = 0; y < x; ++y)
        if ((p.up[x] & p.up[y]) == Bit(top)) {
          joinsToTop[x] |= Bit(y);
          joinsToTop[y] |= Bit(x);
        }
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
  // Depth first through the cliques, each extended only by elements numbered above all of
  // its own, so that every clique comes once.
  struct Branch {
    Mask covered, extendBy, below;
    int sizeSum;
  };
  Branch stack[maxGeneratedSize * maxGeneratedSize];
  int depth = 0;
  for (int x = lattice.Top() - 1; x >= 0; --x)
    stack[depth++] = {Bit(x), parent.joinsToTop[x] & ~FirstElements(x + 1), lattice.down[x],
                      parent.sizes.sizeSum[x]};
  while (depth > 0) {
    const Branch branch = stack[--depth];
    for (Mask extendBy = branch.extendBy; extendBy != 0; extendBy &= extendBy - 1) {
      const int y = Lowest(extendBy);
      int sizeSum = branch.sizeSum;
      for (Mask added = lattice.down[y] & ~branch.below; added != 0; added &= added - 1)
        sizeSum += parent.sizes.size[Lowest(added)];
      assert(depth < maxGeneratedSize * maxGeneratedSize);
      stack[depth++] = {branch.covered | Bit(y),
                        branch.extendBy & parent.joinsToTop[y] & ~FirstElements(y + 1),
                        branch.below | lattice.down[y], sizeSum};
    }
    ++stats.downSetsTried;
    Consider(parent, branch.covered, branch.below, branch.sizeSum);
  }
  KeepOnePerOrbit(lattice, stats);
  found.clear();
  for (const Candidate& candidate : candidates_) found.push_back(candidate.extension);
}

// Keeps the down-set when its new coatom's key is at least the largest key among the old
// coatoms that stay coatoms (those it does not cover) and the child is a lattice.
void ExtensionFinder::Consider(const Parent& parent, Mask covered, Mask below, int sizeSum) {
  const int downSize = SmallSize(below) + 1;
  const CoatomKey key = MakeCoatomKey(downSize, SmallSize(covered), sizeSum + downSize);
  int i = 0;
  while (i < parent.coatomCount && Holds(covered, parent.coatomsByKey[i])) ++i;
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

// Whether two down-sets share their signature, before sorting: most parents have a few
// candidates, all apart, and comparing them pairwise spares the sort.
bool ExtensionFinder::AnySignatureRepeats() const {
  const std::size_t count = candidates_.size();
  if (count > 24) return true;
  for (std::size_t i = 1; i < count; ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (candidates_[i].signature == candidates_[j].signature) return true;
  return false;
}

// Whether two of the sorted down-sets share their signature.
bool ExtensionFinder::SignaturesRepeat() const {
  for (std::size_t i = 1; i < candidates_.size(); ++i)
    if (candidates_[i - 1].signature == candidates_[i].signature) return true;
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

// The image of an extension under the permutation of twins that takes its down-set to
// TwinCanonical(below). Twins share their upper covers, so either all twins of a class in the
// down-set are maximal in it or none; and they are coatoms alike, tied alike.
CoatomExtension ExtensionFinder::TwinCanonical(const CoatomExtension& extension) const {
  CoatomExtension image = extension;
  for (const Mask twins : twinClasses_) {
    const Mask inside = FirstOf(twins, SmallSize(extension.below & twins));
    image.below = (image.below & ~twins) | inside;
    if ((extension.covered & twins) != 0) image.covered = (image.covered & ~twins) | inside;
    if ((extension.tied & twins) != 0) image.tied = (image.tied & ~twins) | (twins & ~inside);
  }
  return image;
}

// Down-sets in one orbit share their signature, so only repeated signatures need the
// automorphisms. Twins, two elements with the same lower and the same upper covers, are
// swapped by an automorphism, and those swaps explain most repeats: each down-set is first
// taken to its least image under them, which leaves one of each orbit of the twins' group.
// nauty is asked only for what they leave, and its generators link those images. The least
// down-set of each orbit is kept.
void ExtensionFinder::KeepOnePerOrbit(const GeneratedLattice& parent, ExtensionStats& stats) {
  if (!AnySignatureRepeats()) return;
  std::sort(candidates_.begin(), candidates_.end(), Precedes());
  if (!SignaturesRepeat()) return;
  FindTwinClasses(parent, twinClasses_);
  if (!twinClasses_.empty()) {
    // A down-set alone with its signature is alone in its orbit and stays as it is.
    const std::size_t count = candidates_.size();
    for (std::size_t i = 0; i < count; ++i)
      if ((i > 0 && candidates_[i - 1].signature == candidates_[i].signature) ||
          (i + 1 < count && candidates_[i + 1].signature == candidates_[i].signature))
        candidates_[i].extension = TwinCanonical(candidates_[i].extension);
    std::sort(candidates_.begin(), candidates_.end(), Precedes());
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end(),
                                  [](const Candidate& a, const Candidate& b) {
                                    return a.extension.below == b.extension.below;
                                  }),
                      candidates_.end());
    if (!SignaturesRepeat()) return;
  }
  ++stats.groupsComputed;
  FindAutomorphismGenerators(parent, generators_);
  const int count = static_cast<int>(candidates_.size());
  orbitRoot_.resize(count);
  for (int i = 0; i < count; ++i) orbitRoot_[i] = i;
  JoinAllOrbits();
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if (Root(orbitRoot_, i) == i) candidates_[kept++] = candidates_[i];
  candidates_.resize(kept);
}
