// survey --draw-top and merge --draw-top: the lattices of the top lists on one sheet, each
// with its rank and number of sublattices under it.
#pragma once

#include <vector>

#include "draw/hasse_drawing.h"
#include "generate/survey_tally.h"

namespace mirelkon {

// Adds the tally's top list, its elements named 0..n-1 as in the cover pairs; the caption
// names the size too when the sheet shows several.
void AddTopDrawings(const SurveyTally& tally, bool severalSizes, std::vector<OrderDrawing>& sheet);

}  // namespace mirelkon
