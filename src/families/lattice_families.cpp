// Chains, Boolean lattices, M_K, N_5, divisor and partition lattices.
// Builders stop as soon as the elements outgrow the tables, so a huge parameter costs
// nothing; the orders come from the elements' own descriptions.
#include "families/lattice_families.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace mirelkon {

namespace {

std::string SubsetName(std::uint64_t mask) {
  std::string name = "{";
  for (int e = 0; mask >> e != 0; ++e) {
    if ((mask >> e & 1) == 0) continue;
    if (name.size() > 1) name += ',';
    name += std::to_string(e + 1);
  }
  return name + "}";
}

// Smaller subsets first; among equal sizes, the one holding the smallest element that only
// one of them holds (so {1,2} < {1,3} < {2,3}).
bool SubsetPrecedes(std::uint64_t a, std::uint64_t b) {
  if (std::popcount(a) != std::popcount(b)) return std::popcount(a) < std::popcount(b);
  std::uint64_t differing = a ^ b;
  return (a & differing & -differing) != 0;
}

// A partition of {1..K} as its restricted growth string: block[e] is the number of the block
// of element e + 1, blocks numbered in the order of their smallest elements.
using Partition = std::vector<int>;

int BlockCount(const Partition& p) {
  return p.empty() ? 0 : *std::max_element(p.begin(), p.end()) + 1;
}

// Extends the prefix in every way; false when there are more than maxWideElements partitions.
bool CollectPartitions(Partition& prefix, int k, std::vector<Partition>& all) {
  if (static_cast<int>(prefix.size()) == k) {
    all.push_back(prefix);
    return static_cast<int>(all.size()) <= maxWideElements;
  }
  for (int block = 0; block <= BlockCount(prefix); ++block) {
    prefix.push_back(block);
    bool fits = CollectPartitions(prefix, k, all);
    prefix.pop_back();
    if (!fits) return false;
  }
  return true;
}

std::string PartitionName(const Partition& p) {
  std::string name;
  for (int block = 0; block < BlockCount(p); ++block) {
    if (block > 0) name += '|';
    for (std::size_t e = 0; e < p.size(); ++e)
      if (p[e] == block) name += std::to_string(e + 1);
  }
  return name;
}

// p is finer than q: elements in one block of p share a block of q.
bool Refines(const Partition& p, const Partition& q) {
  for (std::size_t a = 0; a < p.size(); ++a)
    for (std::size_t b = a + 1; b < p.size(); ++b)
      if (p[a] == p[b] && q[a] != q[b]) return false;
  return true;
}

}  // namespace

bool AddElement(LatticeFactor& factor, std::string name) {
  if (factor.Size() == maxWideElements) return false;
  // Names grow with every factor of a product, even of one-element lattices: held to
  // maxElementNameLength characters, a product of thousands of them stays cheap.
  if (name.size() > maxElementNameLength) name.resize(maxElementNameLength);
  factor.names.push_back(std::move(name));
  return true;
}

bool BuildChain(LatticeFactor& factor, const int* arguments) {
  for (int i = 0; i < arguments[0]; ++i)
    if (!AddElement(factor, std::to_string(i))) return false;
  SetOrder(factor, [](int i, int j) { return i <= j; });
  return true;
}

bool BuildBoolean(LatticeFactor& factor, const int* arguments) {
  if (!PowerOfTwoFits(arguments[0])) return false;
  std::vector<std::uint64_t> subsets(std::size_t{1} << arguments[0]);
  for (std::size_t mask = 0; mask < subsets.size(); ++mask) subsets[mask] = mask;
  std::sort(subsets.begin(), subsets.end(), SubsetPrecedes);
  for (std::uint64_t subset : subsets) AddElement(factor, SubsetName(subset));
  SetOrder(factor, [&](int i, int j) { return (subsets[i] & ~subsets[j]) == 0; });
  return true;
}

bool BuildDiamond(LatticeFactor& factor, const int* arguments) {
  const int atoms = arguments[0];
  if (atoms > maxWideElements - 2) return false;
  AddElement(factor, "bottom");
  for (int a = 1; a <= atoms; ++a) AddElement(factor, std::string("a").append(std::to_string(a)));
  AddElement(factor, "top");
  const int top = atoms + 1;
  SetOrder(factor, [&](int i, int j) { return i == j || i == 0 || j == top; });
  return true;
}

bool BuildPentagon(LatticeFactor& factor, const int*) {
  for (const char* name : {"bottom", "a", "b", "c", "top"})
    if (!AddElement(factor, name)) return false;
  constexpr int a = 1, c = 3, top = 4;
  SetOrder(factor, [](int i, int j) { return i == j || i == 0 || j == top || (i == a && j == c); });
  return true;
}

bool BuildDivisors(LatticeFactor& factor, const int* arguments) {
  const long long m = arguments[0];
  std::vector<long long> small, large;  // d and m / d for d * d <= m
  for (long long d = 1; d * d <= m; ++d) {
    if (m % d != 0) continue;
    small.push_back(d);
    if (d * d != m) large.push_back(m / d);
    if (static_cast<int>(small.size() + large.size()) > maxWideElements) return false;
  }
  small.insert(small.end(), large.rbegin(), large.rend());
  for (long long d : small) AddElement(factor, std::to_string(d));
  SetOrder(factor, [&](int i, int j) { return small[j] % small[i] == 0; });
  return true;
}

bool BuildPartitions(LatticeFactor& factor, const int* arguments) {
  // There are at least K partitions of a K-set.
  if (arguments[0] > maxWideElements) return false;
  std::vector<Partition> all;
  Partition prefix;
  if (!CollectPartitions(prefix, arguments[0], all)) return false;
  // Finest first; partitions with the same number of blocks in the order generated.
  std::stable_sort(all.begin(), all.end(), [](const Partition& p, const Partition& q) {
    return BlockCount(p) > BlockCount(q);
  });
  for (const Partition& p : all) AddElement(factor, PartitionName(p));
  SetOrder(factor, [&](int i, int j) { return Refines(all[i], all[j]); });
  return true;
}

}  // namespace mirelkon
