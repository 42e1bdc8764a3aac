// Test support: reading a lattice back from a line of mirelkon-lattice all, and a canonical
// form found by trying every relabelling, independent of nauty and of the generator.
#pragma once

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "core/order.h"
#include "generate/generated_lattice.h"

namespace mirelkon {

// The masks of elements above, one per element.
using UpSets = std::array<Mask, maxGeneratedSize>;

// The least relabelling over all permutations of the elements between bottom and top: equal
// exactly for isomorphic lattices of the same size.
inline UpSets BruteForceCanonicalForm(const UpSets& up, int n) {
  if (n <= 2) return up;
  std::vector<int> image(n);
  std::iota(image.begin(), image.end(), 0);
  UpSets best{};
  best.fill(~Mask{0});
  do {
    UpSets relabelled{};
    for (int x = 0; x < n; ++x)
      for (Mask above = up[x]; above != 0; above &= above - 1)
        relabelled[image[x]] |= Bit(image[Lowest(above)]);
    best = std::min(best, relabelled);
  } while (std::next_permutation(image.begin() + 1, image.end() - 1));
  return best;
}

// The arcs of a digraph6 line as an order (closed), or nothing when the line is no digraph6
// of at most maxGeneratedSize vertices. `arcs` receives them.
inline std::optional<Order> ParseDigraph6(const std::string& line,
                                          std::vector<std::pair<int, int>>& arcs) {
  if (line.size() < 2 || line[0] != '&' || line[1] < 64 || line[1] > 63 + maxGeneratedSize)
    return std::nullopt;
  const int n = line[1] - 63;
  if (line.size() != 2 + (static_cast<std::size_t>(n) * n + 5) / 6) return std::nullopt;
  Order order = Order::Identity(n);
  arcs.clear();
  for (int bit = 0; bit < n * n; ++bit) {
    const int sextet = line[2 + bit / 6] - 63;
    if (sextet >> (5 - bit % 6) & 1) {
      arcs.emplace_back(bit / n, bit % n);
      order.Add(bit / n, bit % n);
    }
  }
  order.Close();
  return order;
}

}  // namespace mirelkon
