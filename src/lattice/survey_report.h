// The written survey of one size, as text for people or as JSON lines for scripts and for
// merge: the number of lattices, the distribution of |Sub(L)|, the top list and the list of
// lattices with at least the threshold.
#pragma once

#include <string>

#include "generate/survey_tally.h"

namespace mirelkon {

// Which part of the whole the tally covers; a merged or undivided survey is part 0 of 1.
struct SurveyPart {
  int part = 0;
  int parts = 1;
};

void AppendSurveyText(const SurveyTally& tally, const SurveyPart& part, std::string& text);

// {"n":12,"lattices":"262776","top":10} with "at_least" and "part":"K/M" when given, then
// {"n":12,"sub":"4096","lattices":"1"} for each number of sublattices, most first, then
// {"n":12,"rank":1,"sub":"4096","covers":[[0,1],...],"list":"top"} for each lattice of the
// top list and likewise with "list":"at-least".
void AppendSurveyJson(const SurveyTally& tally, const SurveyPart& part, std::string& text);

}  // namespace mirelkon
