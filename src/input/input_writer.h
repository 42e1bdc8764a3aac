// Writing input files of lattices: the header commands, and one job with its edges, its given
// equations and the joins and meets of incomparable pairs that it does not give.
#pragma once

#include <string>
#include <vector>

#include "core/partial_lattice.h"
#include "generate/generated_lattice.h"
#include "input/input_reader.h"

namespace mirelkon {

// Input files and the verbose listings give equations nine to a line.
constexpr int equationsPerLine = 9;

// "\verbose=", "\subtrahend-in-exponent=" and "\operationsymbols=" with the settings.
std::string RunSettingsText(const RunSettings& settings);

// A whole input file of a generated lattice of n elements, given by its cover pairs between
// elements numbered along a linear extension (as all and survey have them), with the default
// symbols and every join and meet of two incomparable elements.
std::string GeneratedInputFile(const std::vector<CoverPair>& covers, int n,
                               const std::string& name);

// One job from "\beginjob" to "\endofjob": its legend lines, its edges and equations as given,
// then the missing ones after a comment line.
std::string JobText(const std::string& name, const PartialLattice& lattice,
                    const std::vector<Edge>& edges, const std::vector<Equation>& missing,
                    const std::vector<LegendEntry>& legend);

}  // namespace mirelkon
