// The min-fill elimination tree: its width on graphs whose width is known, and on every graph
// the property the search relies on, that two adjacent elements lie on one path from a root,
// so that deciding an element's ancestors leaves its subtree apart from the rest.
#include "core/internal/elimination_order.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace mirelkon {
namespace {

struct Graph {
  int n;
  std::vector<Mask> adjacent;
  void Link(int a, int b) {
    adjacent[a] |= Bit(b);
    adjacent[b] |= Bit(a);
  }
};

Graph Path(int n) {
  Graph g{n, std::vector<Mask>(n, 0)};
  for (int x = 0; x + 1 < n; ++x) g.Link(x, x + 1);
  return g;
}

Graph Ring(int n) {
  Graph g = Path(n);
  g.Link(0, n - 1);
  return g;
}

// Cliques of `size` elements in a row, each sharing one element with the next.
Graph CliqueChain(int cliques, int size) {
  const int n = cliques * (size - 1) + 1;
  Graph g{n, std::vector<Mask>(n, 0)};
  for (int c = 0; c < cliques; ++c)
    for (int a = c * (size - 1); a < (c + 1) * (size - 1) + 1; ++a)
      for (int b = a + 1; b < (c + 1) * (size - 1) + 1; ++b) g.Link(a, b);
  return g;
}

Graph Grid(int rows, int columns) {
  Graph g{rows * columns, std::vector<Mask>(rows * columns, 0)};
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      if (c + 1 < columns) g.Link(r * columns + c, r * columns + c + 1);
      if (r + 1 < rows) g.Link(r * columns + c, (r + 1) * columns + c);
    }
  return g;
}

Graph Random(std::mt19937& random, int n, int edges) {
  Graph g{n, std::vector<Mask>(n, 0)};
  std::uniform_int_distribution<int> element(0, n - 1);
  for (int k = 0; k < edges; ++k) {
    const int a = element(random), b = element(random);
    if (a != b) g.Link(a, b);
  }
  return g;
}

bool Ancestor(const EliminationTree& tree, int above, int x) {
  for (; x >= 0; x = tree.parent[x])
    if (x == above) return true;
  return false;
}

void ExpectTreeSpansGraph(const Graph& g, const EliminationTree& tree, const char* name) {
  for (int x = 0; x < g.n; ++x) {
    const int p = tree.parent[x];
    EXPECT_EQ(tree.depth[x], p < 0 ? 0 : tree.depth[p] + 1) << name << ", element " << x;
    for (Mask m = g.adjacent[x]; m != 0; m &= m - 1)
      EXPECT_TRUE(Ancestor(tree, x, Lowest(m)) || Ancestor(tree, Lowest(m), x))
          << name << ": " << x << " and " << Lowest(m) << " on different branches";
  }
}

}  // namespace

TEST(EliminationOrder, FindsTheWidthOfGraphsWhoseWidthIsKnown) {
  struct Case {
    const char* name;
    Graph graph;
    int width;
  };
  const Case cases[] = {
      {"no edges", Graph{10, std::vector<Mask>(10, 0)}, 0},
      {"path of 64", Path(64), 1},
      {"ring of 40", Ring(40), 2},
      {"cliques of 5 in a row", CliqueChain(12, 5), 4},
      {"grid 3 x 20", Grid(3, 20), 3},
  };
  for (const Case& c : cases) {
    const EliminationTree tree = MinFillTree(c.graph.n, c.graph.adjacent.data(), 64);
    EXPECT_EQ(tree.width, c.width) << c.name;
    ExpectTreeSpansGraph(c.graph, tree, c.name);
  }
  // Unlinked elements and a path are all roots, or a path from one root.
  const EliminationTree path = MinFillTree(64, Path(64).adjacent.data(), 64);
  int roots = 0, deepest = 0;
  for (int x = 0; x < 64; ++x) {
    roots += path.parent[x] < 0;
    deepest = std::max(deepest, path.depth[x]);
  }
  EXPECT_EQ(roots, 1);
  EXPECT_EQ(deepest, 63);
}

TEST(EliminationOrder, StopsWhereTheWidthPassesTheLimit) {
  const Graph clique = CliqueChain(1, 20);
  EXPECT_EQ(MinFillTree(clique.n, clique.adjacent.data(), 7).width, 8);
  EXPECT_EQ(MinFillTree(clique.n, clique.adjacent.data(), 19).width, 19);
}

TEST(EliminationOrder, AdjacentElementsLieOnOnePathFromARoot) {
  std::mt19937 random(30);
  for (int trial = 0; trial < 40; ++trial) {
    const int n = std::uniform_int_distribution<int>(2, 64)(random);
    const Graph g = Random(random, n, std::uniform_int_distribution<int>(0, 3 * n)(random));
    ExpectTreeSpansGraph(g, MinFillTree(g.n, g.adjacent.data(), 64), "random graph");
  }
}

}  // namespace mirelkon
