// all N -o DIR --input: every lattice of N elements as a complete input file for mirelkon,
// one file each in the new folder DIR.
#pragma once

#include "lattice/generation_request.h"

namespace mirelkon {

// The most files one run writes; larger runs are refused before anything is written, and
// --part splits them.
constexpr std::uint64_t maxInputFiles = 100000;

void WriteInputFiles(const GenerationRequest& request);

}  // namespace mirelkon
