// Writing input files of lattices: the header commands, and one job with its edges, its given
// equations and the joins and meets of incomparable pairs that it does not give.
#pragma once

#include <string>
#include <vector>

#include "core/lattice.h"
#include "core/partial_lattice.h"
#include "input/input_reader.h"

// The operation symbols with "+" or "*" added at their end where missing, so written joins
// and meets can be read; the operations already there keep their numbers.
std::string WithJoinAndMeet(const std::string& operationSymbols);

// "\verbose=", "\subtrahend-in-exponent=" and "\operationsymbols=" with the settings.
std::string RunSettingsText(const RunSettings& settings);

// The join and meet of every incomparable pair x < y that the lattice's equations do not give
// (in either order of the arguments).
std::vector<Equation> MissingEquations(const PartialLattice& lattice, const LatticeTables& tables);

// One job from "\beginjob" to "\endofjob": its edges and equations as given, then the missing
// ones after a comment line.
std::string JobText(const std::string& name, const PartialLattice& lattice,
                    const std::vector<Edge>& edges, const std::vector<Equation>& missing);
