// The calls into nauty. nauty keeps its working storage per thread (the Debian library is
// built with thread-local storage), and so does its group record, which holds the generators
// found by the last call on this thread until they are copied out here.
#include "generate/hasse_symmetry.h"

#include <nauty/naugroup.h>
#include <nauty/nautinv.h>
#include <nauty/nauty.h>

#include <algorithm>
#include <cassert>

namespace {

static_assert(maxGeneratedSize <= WORDSIZE, "one setword holds a row of the graph");

struct NautyRun {
  int n;
  graph hasse[maxGeneratedSize];
  graph canonical[maxGeneratedSize];
  int lab[maxGeneratedSize], ptn[maxGeneratedSize], orbits[maxGeneratedSize];
};

void BuildHasseDiagram(const GeneratedLattice& lattice, NautyRun& run) {
  constexpr int m = 1;
  run.n = lattice.size;
  for (int x = 0; x < lattice.size; ++x) run.hasse[x] = 0;
  for (int y = 0; y < lattice.size; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1)
      ADDONEARC(run.hasse, Lowest(covered), y, m);
}

// The vertex invariant `adjacencies`, which nauty recommends for digraphs, more than halves
// the time on these diagrams: without it the refinement leaves most of a lattice's levels
// unsplit and the search tree grows.
void RunNauty(NautyRun& run, bool canonical, bool collectGroup) {
  DEFAULTOPTIONS_DIGRAPH(options);
  options.getcanon = canonical;
  if (collectGroup) {
    options.userautomproc = groupautomproc;
    options.userlevelproc = grouplevelproc;
  }
  statsblk stats;
  densenauty(run.hasse, run.lab, run.ptn, run.orbits, &options, &stats, 1, run.n, run.canonical);
}

Permutation AsPermutation(const int* images, int n) {
  Permutation permutation{};
  for (int x = 0; x < n; ++x) permutation[x] = static_cast<std::uint8_t>(images[x]);
  return permutation;
}

}  // namespace

CanonicalLabelling LabelCanonically(const GeneratedLattice& lattice) {
  NautyRun run;
  BuildHasseDiagram(lattice, run);
  RunNauty(run, true, false);
  CanonicalLabelling labelling;
  for (int i = 0; i < run.n; ++i) {
    labelling.elementLabelled[i] = run.lab[i];
    labelling.orbit[i] = run.orbits[i];
  }
  return labelling;
}

void FindAutomorphismGenerators(const GeneratedLattice& lattice,
                                std::vector<Permutation>& generators) {
  NautyRun run;
  BuildHasseDiagram(lattice, run);
  RunNauty(run, false, true);
  generators.clear();
  const grouprec* group = groupptr(FALSE);
  // The generators are kept by the level of the stabiliser chain they were found at; the
  // same one may be listed at more than one level.
  for (int level = 0; level < group->depth; ++level)
    for (const permrec* p = group->levelinfo[level].gens; p != nullptr; p = p->ptr) {
      const Permutation permutation = AsPermutation(p->p, run.n);
      if (std::find(generators.begin(), generators.end(), permutation) == generators.end())
        generators.push_back(permutation);
    }
}

Mask PermutedSet(const Permutation& permutation, Mask set) {
  Mask image = 0;
  for (; set != 0; set &= set - 1) image |= Bit(permutation[Lowest(set)]);
  return image;
}
