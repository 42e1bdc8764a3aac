// A min-fill elimination order of the graph in which two elements are adjacent when a rule
// names both, and the tree it spans: an element's parent is the first of its neighbours at
// its elimination to be eliminated after it. Deciding the elements from the root of that tree
// down cuts a problem of small width into independent parts early, as a tree decomposition
// does; where the width is large the tree is nearly a path and says little.
#pragma once

#include "core/bits.h"
#include "core/limits.h"

namespace mirelkon {

struct EliminationTree {
  // The most neighbours an element had when it was eliminated, or widthLimit + 1 when no
  // element left had at most widthLimit; parent and depth are then not filled.
  int width = 0;
  int parent[maxElements];  // -1 at a root, the element eliminated last in its component
  int depth[maxElements];   // 0 at a root
};

// The tree of elements 0..n-1 of the symmetric adjacency `adjacent` (no element adjacent to
// itself). Each step eliminates, among the elements with at most widthLimit neighbours left,
// the one whose neighbours lack the fewest links among themselves, the one with the fewest
// neighbours on a tie, the lowest on a tie of both.
EliminationTree MinFillTree(int n, const Mask* adjacent, int widthLimit);

}  // namespace mirelkon
