// The calls into nauty. nauty keeps its working storage per thread (the Debian library is
// built with thread-local storage), but its group-collecting helpers (groupautomproc,
// groupptr) share one record among all threads; so the generators are collected here.
#include "generate/hasse_symmetry.h"

#include <nauty/nautinv.h>
#include <nauty/nauty.h>

#include <algorithm>
#include <cassert>
#include <type_traits>

namespace mirelkon {

namespace {

static_assert(maxGeneratedSize <= WORDSIZE, "one setword holds a row of the graph");

// nauty calls back with each automorphism found and the orbits array it was given, and with
// no pointer of the caller's own. The orbits array is the first member of the run, so the
// callback finds the run, and its list of generators, without a global.
struct NautyRun {
  int orbits[maxGeneratedSize];
  int n;
  graph hasse[maxGeneratedSize];
  graph canonical[maxGeneratedSize];
  int lab[maxGeneratedSize], ptn[maxGeneratedSize];
  std::vector<Permutation>* generators = nullptr;
};
static_assert(std::is_standard_layout_v<NautyRun>);

Permutation AsPermutation(const int* images, int n) {
  Permutation permutation{};
  for (int x = 0; x < n; ++x) permutation[x] = static_cast<std::uint8_t>(images[x]);
  return permutation;
}

void CollectGenerator(int, int* permutation, int* orbits, int, int, int n) {
  NautyRun& run = *reinterpret_cast<NautyRun*>(orbits);
  assert(run.n == n && run.generators != nullptr);
  run.generators->push_back(AsPermutation(permutation, n));
}

void BuildHasseDiagram(const GeneratedLattice& lattice, NautyRun& run) {
  constexpr int m = 1;
  run.n = lattice.size;
  for (int x = 0; x < lattice.size; ++x) run.hasse[x] = 0;
  for (int y = 0; y < lattice.size; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1)
      ADDONEEDGE(run.hasse, Lowest(covered), y, m);
  // The elements coloured by the sizes of their down-sets and up-sets, which every
  // isomorphism keeps: nauty's refinement then starts where these cheap numbers leave it.
  // The colours also orient every edge (the lower element has the smaller down-set), so the
  // diagram goes to nauty as an undirected graph, which it handles faster than a digraph.
  int colour[maxGeneratedSize];
  for (int x = 0; x < run.n; ++x) {
    colour[x] = SmallSize(lattice.down[x]) << 8 | SmallSize(lattice.up[x]);
    run.lab[x] = x;
  }
  std::sort(run.lab, run.lab + run.n, [&](int a, int b) { return colour[a] < colour[b]; });
  for (int i = 0; i < run.n; ++i)
    run.ptn[i] = i + 1 < run.n && colour[run.lab[i + 1]] == colour[run.lab[i]] ? 1 : 0;
}

// Without a colouring the refinement leaves most of a lattice's levels unsplit, and the vertex
// invariant `adjacencies`, which nauty recommends for digraphs, was needed to keep the search
// tree small; the colouring by down-set and up-set sizes splits the levels at the start, and
// the invariant then costs more than it saves.
void RunNauty(NautyRun& run, bool canonical) {
  DEFAULTOPTIONS_GRAPH(options);
  options.getcanon = canonical;
  options.defaultptn = FALSE;
  options.invarproc = NULL;
  if (run.generators != nullptr) options.userautomproc = CollectGenerator;
  statsblk stats;
  densenauty(run.hasse, run.lab, run.ptn, run.orbits, &options, &stats, 1, run.n, run.canonical);
}

}  // namespace

CanonicalLabelling LabelCanonically(const GeneratedLattice& lattice) {
  NautyRun run;
  BuildHasseDiagram(lattice, run);
  RunNauty(run, true);
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
  generators.clear();
  run.generators = &generators;
  RunNauty(run, false);
}

Mask PermutedSet(const Permutation& permutation, Mask set) {
  Mask image = 0;
  for (; set != 0; set &= set - 1) image |= Bit(permutation[Lowest(set)]);
  return image;
}

}  // namespace mirelkon
