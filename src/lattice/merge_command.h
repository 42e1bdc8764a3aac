// The command "merge FILES...": adds up the JSON-lines outputs of survey runs over the parts
// of one generation (survey --part K/M --json) into the survey of the whole, checking that
// every part is there once.
#pragma once

#include <vector>

#include "draw/hasse_drawing.h"
#include "lattice/generation_request.h"
#include "lattice/part_reader.h"

namespace mirelkon {

void RunMergeCommand(const GenerationRequest& request);

// The whole run the part files add up to, as merge writes it (JSON lines with request.json,
// the top list cut to request.top when given); a refusal comes as a CommandError naming
// every damaged file and every part missing or failed. The top lists of surveys go onto
// `sheet`, for --draw-top.
std::string MergedText(const std::vector<PartFile>& files, const GenerationRequest& request,
                       std::vector<OrderDrawing>& sheet);

}  // namespace mirelkon
