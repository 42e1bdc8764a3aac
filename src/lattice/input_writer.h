// Writing input files of lattices: the header commands, and one job with its edges, its given
// equations and the joins and meets of incomparable pairs that it does not give.
#pragma once

#include <string>
#include <vector>

#include "core/partial_lattice.h"
#include "input/input_reader.h"

// "\verbose=", "\subtrahend-in-exponent=" and "\operationsymbols=" with the settings.
std::string RunSettingsText(const RunSettings& settings);

// One job from "\beginjob" to "\endofjob": its legend lines, its edges and equations as given,
// then the missing ones after a comment line.
std::string JobText(const std::string& name, const PartialLattice& lattice,
                    const std::vector<Edge>& edges, const std::vector<Equation>& missing,
                    const std::vector<LegendEntry>& legend);
