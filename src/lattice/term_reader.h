// Reading the term of make: lattices of the well-known families by their long or short names
// ("chain 4", "C4"), and lattices made of them, from the loosest binding to the tightest:
//   A + B     the glued sum (the top of A made one with the bottom of B), A ++ B the ordinal
//             sum (all of A below all of B), read from the left;
//   A x B     the direct product;
//   A ^ k     the k-th direct power;
//   dual A    the dual;
//   ( A )     grouping.
#pragma once

#include <string>
#include <vector>

#include "families/lattice_families.h"

namespace mirelkon {

// The term's lattice has more elements than the caller allows.
struct LatticeTooLarge {};

// A malformed term: what is wrong with it, for the caller to report in its own way.
struct TermError {
  std::string message;
};

// The words of a term given as blank-separated words, with "(" and ")" as words of their own.
std::vector<std::string> TermWords(const std::vector<std::string>& arguments);

// The term written out: its words separated by single blanks, none inside parentheses.
std::string TermName(const std::vector<std::string>& words);

// The lattice of the term; a malformed term comes as a TermError, a lattice of more than
// `largest` elements (at most maxWideElements) as LatticeTooLarge.
LatticeFactor ReadTerm(const std::vector<std::string>& words, int largest = maxElements);

}  // namespace mirelkon
