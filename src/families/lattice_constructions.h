// Lattices made of lattices: direct products and powers, the dual, and the glued and ordinal
// sums. Each keeps the listing a linear extension of the order, bottom first, and answers
// false, leaving its result unusable, when the result would exceed maxWideElements.
#pragma once

#include <string>

#include "families/lattice_families.h"

namespace mirelkon {

// Replaces product by product x factor: pairs in lexicographic order, ordered componentwise,
// named by their components joined with ",".
bool MultiplyBy(LatticeFactor& product, const LatticeFactor& factor);

// Names every element of a product of several factors as a tuple: "0,1" becomes "(0,1)".
void NameAsTuples(LatticeFactor& product);

// The k-th direct power (k >= 1), its elements named as tuples when k > 1.
bool RaiseToPower(LatticeFactor& base, int k);

// The same elements, the order turned upside down; listed in reverse.
LatticeFactor Dual(const LatticeFactor& lattice);

// Puts upper on top of sum: every element of sum lies below every element of upper. Glued,
// the top of sum and the bottom of upper become one element, named as in sum.
bool AddSummand(LatticeFactor& sum, const LatticeFactor& upper, bool glued);

// Puts the prefix before every element's name.
void PrefixNames(LatticeFactor& lattice, const std::string& prefix);

}  // namespace mirelkon
