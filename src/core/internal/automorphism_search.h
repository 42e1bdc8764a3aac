// Automorphism groups through nauty: the permutations of a vertex-coloured digraph's vertices
// that keep its arcs and colours, reported on its first vertices, the elements. A partial
// lattice and a set of rules each become such a digraph, with vertices of their own for the
// equations or rules beside the elements.
#pragma once

#include <algorithm>
#include <span>
#include <vector>

#include "core/big_count.h"
#include "core/limits.h"

namespace mirelkon {

// A permutation of the elements: [x] is the image of x, a Point being wide enough to number
// them all.
template <class Point>
using Permutation = std::vector<Point>;
template <class Point>
using PermutationView = std::span<const Point>;

// A digraph whose vertices come colour by colour, the elements first and in one colour.
struct ColouredDigraph {
  std::vector<std::vector<int>> arcs;  // [v]: the heads of the arcs from v
  std::vector<bool> endsColour;        // [v]: v is the last vertex of its colour

  explicit ColouredDigraph(int elements) : arcs(elements), endsColour(elements, false) {
    if (elements > 0) endsColour.back() = true;
  }
  // A vertex of the colour of the vertex added last, or of a new colour; its number.
  int AddVertex(bool newColour) {
    if (!newColour && !endsColour.empty()) endsColour.back() = false;
    arcs.emplace_back();
    endsColour.push_back(true);
    return static_cast<int>(arcs.size()) - 1;
  }
  int Vertices() const { return static_cast<int>(arcs.size()); }
};

// The vertices of the largest digraph searched: a partial lattice with its equations, a wide
// lattice alone, or rules with a vertex for each pair of premises, such as those of B8 (26591).
constexpr int maxSearchedVertices = 1 << 15;
static_assert(maxSearchedVertices >= std::max(maxElements + maxConstraints, maxWideElements));

template <class Point>
struct Automorphisms {
  std::vector<Permutation<Point>> generators;  // on the elements
  std::vector<int> orbits;                     // [x]: the least element of x's orbit
  BigCount order = 1;
};

// The group of the digraph on its first `elements` vertices; at most maxSearchedVertices
// vertices. The caller releases nauty's storage (core/internal/nauty_storage.h).
template <class Point>
Automorphisms<Point> AutomorphismsOf(const ColouredDigraph& graph, int elements);

}  // namespace mirelkon
