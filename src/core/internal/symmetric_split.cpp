// The rules as a coloured digraph for nauty, and the classes of ways to decide an orbit.
#include "core/internal/symmetric_split.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "core/internal/automorphism_search.h"
#include "core/internal/nauty_storage.h"

namespace mirelkon {

namespace {

static_assert(maxElements + maxElements * (maxElements + 1) / 2 <= maxSearchedVertices,
              "the rule digraph of 64 elements is searched");

// The elements, and a vertex of a second colour for each pair of premises (or single premise)
// with an arc from each premise and to each element they force. A permutation of the elements
// keeps the rules exactly when it keeps this digraph.
ColouredDigraph RuleDigraph(int n, const RuleMasks<Mask>& rules) {
  ColouredDigraph graph(n);
  bool first = true;
  for (int l = 0; l < n; ++l)
    for (int r = l; r < n; ++r) {
      const Mask forced = rules.conclusions[l][r];
      if (forced == 0) continue;
      const int vertex = graph.AddVertex(first);
      first = false;
      graph.arcs[l].push_back(vertex);
      if (r != l) graph.arcs[r].push_back(vertex);
      for (Mask m = forced; m != 0; m &= m - 1) graph.arcs[vertex].push_back(Lowest(m));
    }
  return graph;
}

// A generator acting on the ways to decide an orbit of k elements (bit i: its i-th element
// in), a byte of the way at a time.
struct WayImage {
  explicit WayImage(const std::vector<int>& place, const std::vector<int>& orbit,
                    const Permutation<std::uint8_t>& g) {
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

// The classes of the ways to decide `orbit`, each with its least way.
std::vector<SymmetricSplit::Class> WayClasses(int n, const std::vector<int>& orbit,
                                              const std::vector<Permutation<std::uint8_t>>& gens) {
  const int k = static_cast<int>(orbit.size());
  assert(k <= maxSplitElements);
  std::vector<int> place(n, -1);
  for (int i = 0; i < k; ++i) place[orbit[i]] = i;
  std::vector<WayImage> images;
  for (const auto& g : gens) images.emplace_back(place, orbit, g);
  const std::uint32_t ways = std::uint32_t{1} << k;
  std::vector<bool> met(ways, false);
  std::vector<std::uint32_t> pending;
  std::vector<SymmetricSplit::Class> classes;
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
    Mask in = 0;
    for (int i = 0; i < k; ++i)
      if ((first >> i) & 1) in |= Bit(orbit[i]);
    classes.push_back({in, size});
  }
  return classes;
}

}  // namespace

SymmetricSplit PlanSymmetricSplit(int n, const RuleMasks<Mask>& rules,
                                  std::span<const std::int64_t> score) {
  const NautyStorage releasedAtTheEnd;  // the counter may run in a thread that ends soon
  const Automorphisms<std::uint8_t> group = AutomorphismsOf<std::uint8_t>(RuleDigraph(n, rules), n);
  SymmetricSplit best;
  if (group.generators.empty()) return best;
  double bestWaysPerClass = fewestWaysPerClass;
  for (int x = 0; x < n; ++x) {
    if (group.orbits[x] != x) continue;
    std::vector<int> orbit;
    for (int y = x; y < n; ++y)
      if (group.orbits[y] == x) orbit.push_back(y);
    if (orbit.size() < 2 || orbit.size() > maxSplitElements) continue;
    std::vector<SymmetricSplit::Class> classes = WayClasses(n, orbit, group.generators);
    const double waysPerClass =
        std::ldexp(1.0, static_cast<int>(orbit.size())) / static_cast<double>(classes.size());
    const bool better = best.decided == 0 ? waysPerClass >= bestWaysPerClass
                                          : waysPerClass > bestWaysPerClass ||
                                                (waysPerClass == bestWaysPerClass &&
                                                 score[x] > score[Lowest(best.decided)]);
    if (!better) continue;
    best.decided = 0;
    for (int y : orbit) best.decided |= Bit(y);
    best.classes = std::move(classes);
    bestWaysPerClass = waysPerClass;
  }
  return best;
}

}  // namespace mirelkon
