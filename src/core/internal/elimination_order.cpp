// The min-fill elimination order and its tree, on adjacency masks.
#include "core/internal/elimination_order.h"

#include <algorithm>
#include <cassert>
#include <climits>

namespace mirelkon {

namespace {

// Twice the links the neighbours of x lack among themselves.
int DoubleFill(Mask neighbours, const Mask* adjacent) {
  int missing = 0;
  for (Mask m = neighbours; m != 0; m &= m - 1)
    missing += Size(neighbours & ~adjacent[Lowest(m)] & ~LowestBit(m));
  return missing;
}

// The element to eliminate next among those with at most widthLimit neighbours left, or -1
// when there is none: the order would then be wider than the limit, and its tree is not used.
int CheapestToEliminate(Mask left, const Mask* adjacent, int widthLimit) {
  int chosen = -1, fewestMissing = INT_MAX, fewestNeighbours = INT_MAX;
  for (Mask m = left; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    const Mask neighbours = adjacent[x] & left;
    const int degree = Size(neighbours);
    if (degree == 0) return x;  // nothing beats an element alone
    if (degree > widthLimit || (degree > fewestNeighbours && fewestMissing == 0)) continue;
    const int missing = DoubleFill(neighbours, adjacent);
    if (missing < fewestMissing || (missing == fewestMissing && degree < fewestNeighbours)) {
      chosen = x;
      fewestMissing = missing;
      fewestNeighbours = degree;
    }
  }
  return chosen;
}

}  // namespace

EliminationTree MinFillTree(int n, const Mask* adjacent, int widthLimit) {
  assert(0 <= n && n <= maxElements);
  EliminationTree tree;
  Mask graph[maxElements];
  int order[maxElements], step[maxElements];
  for (int x = 0; x < n; ++x) {
    assert(!Holds(adjacent[x], x) && (adjacent[x] & ~FirstElements(n)) == 0);
    graph[x] = adjacent[x];
  }
  Mask left = FirstElements(n);
  Mask neighboursAt[maxElements];
  for (int k = 0; k < n; ++k) {
    const int x = CheapestToEliminate(left, graph, widthLimit);
    if (x < 0) {
      tree.width = widthLimit + 1;
      return tree;
    }
    const Mask neighbours = graph[x] & left & ~Bit(x);
    tree.width = std::max(tree.width, Size(neighbours));
    for (Mask m = neighbours; m != 0; m &= m - 1) graph[Lowest(m)] |= neighbours & ~LowestBit(m);
    left &= ~Bit(x);
    order[k] = x;
    step[x] = k;
    neighboursAt[x] = neighbours;
  }
  for (int k = 0; k < n; ++k) {
    const int x = order[k];
    int& parent = tree.parent[x];
    parent = -1;
    for (Mask m = neighboursAt[x]; m != 0; m &= m - 1)
      if (parent < 0 || step[Lowest(m)] < step[parent]) parent = Lowest(m);
  }
  for (int k = n - 1; k >= 0; --k) {
    const int x = order[k];
    tree.depth[x] = tree.parent[x] < 0 ? 0 : tree.depth[tree.parent[x]] + 1;
  }
  return tree;
}

}  // namespace mirelkon
