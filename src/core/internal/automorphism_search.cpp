// nauty's search for the automorphisms of a coloured digraph, its generators and the order
// of the group collected by callbacks.
#include "core/internal/automorphism_search.h"

#include <nauty/nausparse.h>

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <type_traits>

namespace mirelkon {

namespace {

// One search of nauty. Its callbacks come with the orbits array they were given and no pointer
// of the caller's own, so the orbits come first and the callbacks find the search by them.
template <class Point>
struct NautySearch {
  std::array<int, maxSearchedVertices> orbits;
  int elements;
  Automorphisms<Point> found;
};
static_assert(std::is_standard_layout_v<NautySearch<std::uint8_t>>);
static_assert(std::is_standard_layout_v<NautySearch<std::uint16_t>>);

template <class Point>
NautySearch<Point>& SearchOf(int* orbits) {
  return *reinterpret_cast<NautySearch<Point>*>(orbits);
}

template <class Point>
void CollectGenerator(int, int* permutation, int* orbits, int, int, int) {
  NautySearch<Point>& search = SearchOf<Point>(orbits);
  Permutation<Point>& g = search.found.generators.emplace_back(search.elements);
  for (int x = 0; x < search.elements; ++x) g[x] = static_cast<Point>(permutation[x]);
}

template <class Point>
void MultiplyOrder(int*, int*, int, int* orbits, statsblk*, int, int index, int, int, int, int) {
  SearchOf<Point>(orbits).found.order *= index;
}

// The digraph in nauty's sparse form, with its colour classes in lab and ptn.
struct SparseDigraph {
  explicit SparseDigraph(const ColouredDigraph& from) {
    const int vertices = from.Vertices();
    std::size_t arcCount = 0;
    for (const auto& heads : from.arcs) arcCount += heads.size();
    SG_INIT(graph);
    SG_ALLOC(graph, static_cast<std::size_t>(vertices), arcCount, "SparseDigraph");
    graph.nv = vertices;
    graph.nde = arcCount;
    std::size_t at = 0;
    for (int v = 0; v < vertices; ++v) {
      graph.v[v] = at;
      graph.d[v] = static_cast<int>(from.arcs[v].size());
      for (int w : from.arcs[v]) graph.e[at++] = w;
      lab.push_back(v);
      ptn.push_back(from.endsColour[v] ? 0 : 1);
    }
  }
  ~SparseDigraph() { SG_FREE(graph); }
  SparseDigraph(const SparseDigraph&) = delete;
  SparseDigraph& operator=(const SparseDigraph&) = delete;

  sparsegraph graph;
  std::vector<int> lab, ptn;
};

}  // namespace

template <class Point>
Automorphisms<Point> AutomorphismsOf(const ColouredDigraph& graph, int elements) {
  assert(elements <= graph.Vertices() && graph.Vertices() <= maxSearchedVertices);
  SparseDigraph sparse(graph);
  DEFAULTOPTIONS_SPARSEDIGRAPH(options);
  options.defaultptn = FALSE;
  options.userautomproc = CollectGenerator<Point>;
  options.userlevelproc = MultiplyOrder<Point>;
  statsblk stats;
  auto search = std::make_unique<NautySearch<Point>>();
  search->elements = elements;
  sparsenauty(&sparse.graph, sparse.lab.data(), sparse.ptn.data(), search->orbits.data(), &options,
              &stats, nullptr);
  search->found.orbits.assign(search->orbits.begin(), search->orbits.begin() + elements);
  return std::move(search->found);
}

template Automorphisms<std::uint8_t> AutomorphismsOf(const ColouredDigraph&, int);
template Automorphisms<std::uint16_t> AutomorphismsOf(const ColouredDigraph&, int);

}  // namespace mirelkon
