// The names of a job's elements for people: the legend's name of each element, or its
// symbol where the legend has none.
#pragma once

#include <string>
#include <vector>

#include "input/input_reader.h"

namespace mirelkon {

// In element order; the first legend entry of a symbol counts.
std::vector<std::string> LegendNames(const ParsedJob& job);

}  // namespace mirelkon
