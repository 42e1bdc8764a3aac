// The well-known lattices and their products as values, for programs and tests that want a
// lattice in one call: Chain(5).order, Product(Diamond(3), Chain(4)). Each checks its
// arguments and throws std::invalid_argument with the reason when one is out of its family's
// range or the lattice would have more than maxWideElements elements. Element numbers and names
// are those of mirelkon-lattice make (families/lattice_families.h).
#pragma once

#include "families/lattice_families.h"

namespace mirelkon {

LatticeFactor Chain(int n);             // 0 < 1 < ... < n-1, n >= 0
LatticeFactor Boolean(int k);           // the subsets of {1..k}
LatticeFactor Diamond(int k);           // M_k: bottom 0, atoms 1..k, top k+1
LatticeFactor Pentagon();               // N_5: bottom 0, a 1 < c 3, b 2, top 4
LatticeFactor Divisors(int m);          // the divisors of m >= 1
LatticeFactor Partitions(int k);        // the partitions of {1..k}, k >= 1
LatticeFactor Subspaces(int p, int k);  // the subspaces of GF(p)^k, p prime
LatticeFactor Tamari(int n);            // binary trees of n >= 1 inner nodes
LatticeFactor Young(int m, int n);      // partitions in an m x n box

// The direct product, pairs in lexicographic order: (x, y) is x * |b| + y.
LatticeFactor Product(LatticeFactor a, const LatticeFactor& b);

// Whether p is a prime, as the subspace lattices need.
bool IsPrime(int p);

}  // namespace mirelkon
