// The lattice of subspaces of GF(P)^K. Each subspace is kept as its reduced row echelon
// basis, which is unique; the subspaces are listed by dimension, then by pivot columns,
// then by the free entries counted up as digits base P.
#include <bit>
#include <cstdint>
#include <vector>

#include "families/lattice_families.h"

namespace mirelkon {

namespace {

using Vector = std::vector<long long>;  // entries 0..P-1
using Basis = std::vector<Vector>;      // reduced row echelon form

struct SubspaceSearch {
  long long p;
  int k;
  std::vector<Basis> found;
};

// Column of the first nonzero entry.
int PivotOf(const Vector& row) {
  int c = 0;
  while (row[c] == 0) ++c;
  return c;
}

// v lies in the span of the basis: subtracting the right multiples of its rows clears the
// pivot columns, and what is left must be zero.
bool InSpan(Vector v, const Basis& basis, long long p) {
  for (const Vector& row : basis) {
    const long long factor = v[PivotOf(row)];
    for (std::size_t c = 0; c < v.size(); ++c) v[c] = ((v[c] - factor * row[c]) % p + p) % p;
  }
  for (long long entry : v)
    if (entry != 0) return false;
  return true;
}

bool Includes(const Basis& larger, const Basis& smaller, long long p) {
  for (const Vector& row : smaller)
    if (!InSpan(row, larger, p)) return false;
  return true;
}

// Whether column c is free in row r: right of the row's pivot and no pivot column itself.
bool FreeEntry(std::uint64_t pivots, int pivotColumn, int c) {
  return c > pivotColumn && (pivots >> c & 1) == 0;
}

// Every basis with the given pivot columns; false when there are too many subspaces.
bool CollectWithPivots(SubspaceSearch& search, std::uint64_t pivots) {
  Basis basis;
  for (int c = 0; c < search.k; ++c) {
    if ((pivots >> c & 1) == 0) continue;
    basis.emplace_back(search.k, 0);
    basis.back()[c] = 1;
  }
  for (;;) {
    search.found.push_back(basis);
    if (static_cast<int>(search.found.size()) > maxWideElements) return false;
    // Count the free entries up, the last one fastest, as digits base P.
    bool carry = true;
    for (int r = static_cast<int>(basis.size()) - 1; r >= 0 && carry; --r) {
      const int pivot = PivotOf(basis[r]);
      for (int c = search.k - 1; c >= 0 && carry; --c) {
        if (!FreeEntry(pivots, pivot, c)) continue;
        basis[r][c] = (basis[r][c] + 1) % search.p;
        carry = basis[r][c] == 0;
      }
    }
    if (carry) return true;
  }
}

std::string BasisName(const Basis& basis) {
  if (basis.empty()) return "{0}";
  std::string name = "<";
  for (const Vector& row : basis) {
    if (name.size() > 1) name += ',';
    name += '(';
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) name += ',';
      name += std::to_string(row[c]);
    }
    name += ')';
  }
  return name + ">";
}

}  // namespace

bool BuildSubspaces(LatticeFactor& factor, const int* arguments) {
  SubspaceSearch search{arguments[0], arguments[1], {}};
  // Spans of coordinate vectors alone give 2^K subspaces.
  if (!PowerOfTwoFits(search.k)) return false;
  for (int dimension = 0; dimension <= search.k; ++dimension)
    for (std::uint64_t pivots = 0; pivots < std::uint64_t{1} << search.k; ++pivots)
      if (std::popcount(pivots) == dimension && !CollectWithPivots(search, pivots)) return false;
  for (const Basis& basis : search.found) AddElement(factor, BasisName(basis));
  SetOrder(factor,
           [&](int i, int j) { return Includes(search.found[j], search.found[i], search.p); });
  return true;
}

}  // namespace mirelkon
