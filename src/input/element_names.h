// Elements named by a person: by the names of the job's legend where it has one, or by their
// symbols. The questions of the command line take them this way and answer in names, so that
// the divisor 12 of a divisor lattice is "12" whatever symbol the file gives it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/bits.h"
#include "core/partial_lattice.h"
#include "input/input_reader.h"

namespace mirelkon {

// The elements a text names, or the first word of it that names none.
struct ElementChoice {
  Mask elements = 0;
  std::string unknown;  // empty when every word names elements
};

// Reads a text of words separated by blanks. A word is a legend name; else a run of element
// symbols ("abc" is a, b and c, as before there were names); else names and symbols separated
// by commas ("12,20"). A name is found before symbols of the same characters.
ElementChoice ResolveElements(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                              std::string_view text);

// The legend's name of element x, else its symbol.
std::string ElementName(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                        int x);

// The elements of a set in element order: their symbols run together ("oai") without a
// legend, their names separated by blanks ("1 2 12") with one; "{}" for the empty set.
std::string ElementsText(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                         Mask set);

}  // namespace mirelkon
