// The well-known lattices that make builds, each as a factor: its elements listed along a
// linear extension of the order (bottom first), their natural names, and the order. A
// builder answers false, leaving the factor unusable, when the lattice has more than
// maxWideElements elements; a caller that needs a 64-bit order takes NarrowOrder of one of
// at most maxElements.
#pragma once

#include <string>
#include <vector>

#include "core/limits.h"
#include "core/order.h"
#include "core/wide_lattice.h"

namespace mirelkon {

// Element names are held to the length of a string of the input language.
constexpr std::size_t maxElementNameLength = 255;

struct LatticeFactor {
  std::vector<std::string> names;
  WideOrder order;  // set by SetOrder once every element is added

  int Size() const { return static_cast<int>(names.size()); }
};

// Appends an element; false when the factor is full already.
bool AddElement(LatticeFactor& factor, std::string name);

// Sets the order of the elements added from isBelow(i, j), 0-based.
template <class IsBelow>
void SetOrder(LatticeFactor& factor, IsBelow isBelow) {
  const int n = factor.Size();
  factor.order = WideOrder(n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      if (isBelow(i, j)) factor.order.Add(i, j);
}

// True when 2^k elements fit the tables; families with at least 2^k elements test it first.
inline bool PowerOfTwoFits(int k) {
  return k < 62 && (1LL << k) <= maxWideElements;
}

// The arguments of a term, already checked against the family's ranges (and P prime).
bool BuildChain(LatticeFactor& factor, const int* arguments);       // chain N: 0 < 1 < ... < N-1
bool BuildBoolean(LatticeFactor& factor, const int* arguments);     // subsets of {1..K}
bool BuildDiamond(LatticeFactor& factor, const int* arguments);     // bottom, a1..aK, top
bool BuildPentagon(LatticeFactor& factor, const int* arguments);    // bottom < a < c < top, b
bool BuildDivisors(LatticeFactor& factor, const int* arguments);    // divisors of M
bool BuildPartitions(LatticeFactor& factor, const int* arguments);  // partitions of {1..K}
bool BuildSubspaces(LatticeFactor& factor, const int* arguments);   // subspaces of GF(P)^K
bool BuildTamari(LatticeFactor& factor, const int* arguments);      // binary trees, N nodes
bool BuildYoung(LatticeFactor& factor, const int* arguments);       // partitions in an M x N box

}  // namespace mirelkon
