// The rules as a coloured digraph for nauty, and the classes of ways to decide an orbit.
#include "core/internal/symmetric_split.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <optional>
#include <type_traits>

#include "core/internal/automorphism_search.h"
#include "core/internal/nauty_storage.h"

namespace mirelkon {

namespace {

// A permutation of the elements holds them in a byte up to 64 of them, else in two.
template <class Set>
using PointOf = std::conditional_t<std::is_same_v<Set, Mask>, std::uint8_t, std::uint16_t>;

// The elements, and a vertex of a second colour for each pair of premises (or single premise)
// with an arc from each premise and to each element they force. A permutation of the elements
// keeps the rules exactly when it keeps this digraph. None beyond maxSearchedVertices.
template <class Set>
std::optional<ColouredDigraph> RuleDigraph(int n, const RuleMasks<Set>& rules) {
  ColouredDigraph graph(n);
  bool first = true;
  for (int l = 0; l < n; ++l)
    for (int r = l; r < n; ++r) {
      const Set forced = rules.conclusions[l][r];
      if (forced == 0) continue;
      if (graph.Vertices() == maxSearchedVertices) return std::nullopt;
      const int vertex = graph.AddVertex(first);
      first = false;
      graph.arcs[l].push_back(vertex);
      if (r != l) graph.arcs[r].push_back(vertex);
      for (Set m = forced; m != 0; m &= m - 1) graph.arcs[vertex].push_back(Lowest(m));
    }
  return graph;
}

// A generator acting on the ways to decide an orbit of k elements (bit i: its i-th element
// in), a byte of the way at a time.
struct WayImage {
  template <class Point>
  WayImage(const std::vector<int>& place, const std::vector<int>& orbit,
           const Permutation<Point>& g) {
    const int k = static_cast<int>(orbit.size());
    for (int byte = 0; byte < 2; ++byte)
      for (int bits = 0; bits < 256; ++bits) {
        std::uint32_t image = 0;
        for (int i = 0; i < 8 && 8 * byte + i < k; ++i)
          if ((bits >> i) & 1) image |= std::uint32_t{1} << place[g[orbit[8 * byte + i]]];
        table[byte][bits] = image;
      }
  }
  std::uint32_t operator()(std::uint32_t way) const {
    return table[0][way & 0xff] | table[1][way >> 8];
  }
  std::uint32_t table[2][256];
};

// A class of ways to decide an orbit: its least way and its size.
struct WayClass {
  std::uint32_t way;
  std::uint64_t size;
};

template <class Point>
std::vector<WayClass> WayClasses(int n, const std::vector<int>& orbit,
                                 const std::vector<Permutation<Point>>& generators) {
  const int k = static_cast<int>(orbit.size());
  assert(k <= maxSplitElements);
  std::vector<int> place(n, -1);
  for (int i = 0; i < k; ++i) place[orbit[i]] = i;
  std::vector<WayImage> images;
  for (const auto& g : generators) images.emplace_back(place, orbit, g);
  const std::uint32_t ways = std::uint32_t{1} << k;
  std::vector<bool> met(ways, false);
  std::vector<std::uint32_t> pending;
  std::vector<WayClass> classes;
  for (std::uint32_t first = 0; first < ways; ++first) {
    if (met[first]) continue;
    met[first] = true;
    pending.assign(1, first);
    std::uint64_t size = 0;
    while (!pending.empty()) {
      const std::uint32_t way = pending.back();
      pending.pop_back();
      ++size;
      for (const WayImage& image : images)
        if (const std::uint32_t to = image(way); !met[to]) {
          met[to] = true;
          pending.push_back(to);
        }
    }
    classes.push_back({first, size});
  }
  return classes;
}

}  // namespace

template <class Set>
SymmetricSplit<Set> PlanSymmetricSplit(int n, const RuleMasks<Set>& rules,
                                       std::span<const std::int64_t> score) {
  using Point = PointOf<Set>;
  SymmetricSplit<Set> best;
  if (n < 2) return best;  // no orbit of two
  const std::optional<ColouredDigraph> graph = RuleDigraph(n, rules);
  if (!graph) return best;
  const NautyStorage releasedAtTheEnd;  // the counter may run in a thread that ends soon
  const Automorphisms<Point> group = AutomorphismsOf<Point>(*graph, n);
  if (group.generators.empty()) return best;
  double bestWaysPerClass = fewestWaysPerClass;
  for (int x = 0; x < n; ++x) {
    if (group.orbits[x] != x) continue;
    std::vector<int> orbit;
    for (int y = x; y < n; ++y)
      if (group.orbits[y] == x) orbit.push_back(y);
    if (orbit.size() < 2 || orbit.size() > maxSplitElements) continue;
    const std::vector<WayClass> classes = WayClasses(n, orbit, group.generators);
    const double waysPerClass =
        std::ldexp(1.0, static_cast<int>(orbit.size())) / static_cast<double>(classes.size());
    const bool better = best.decided == 0 ? waysPerClass >= bestWaysPerClass
                                          : waysPerClass > bestWaysPerClass ||
                                                (waysPerClass == bestWaysPerClass &&
                                                 score[x] > score[Lowest(best.decided)]);
    if (!better) continue;
    best.decided = 0;
    for (int y : orbit) best.decided |= ElementBit<Set>(y);
    best.classes.clear();
    for (const WayClass& c : classes) {
      Set in = 0;
      for (std::size_t i = 0; i < orbit.size(); ++i)
        if ((c.way >> i) & 1) in |= ElementBit<Set>(orbit[i]);
      best.classes.push_back({in, c.size});
    }
    bestWaysPerClass = waysPerClass;
  }
  return best;
}

template SymmetricSplit<Mask> PlanSymmetricSplit(int, const RuleMasks<Mask>&,
                                                 std::span<const std::int64_t>);
template SymmetricSplit<WideSet<2>> PlanSymmetricSplit(int, const RuleMasks<WideSet<2>>&,
                                                       std::span<const std::int64_t>);
template SymmetricSplit<WideSet<4>> PlanSymmetricSplit(int, const RuleMasks<WideSet<4>>&,
                                                       std::span<const std::int64_t>);
template SymmetricSplit<WideSet<8>> PlanSymmetricSplit(int, const RuleMasks<WideSet<8>>&,
                                                       std::span<const std::int64_t>);
template SymmetricSplit<WideSet<16>> PlanSymmetricSplit(int, const RuleMasks<WideSet<16>>&,
                                                        std::span<const std::int64_t>);

}  // namespace mirelkon
