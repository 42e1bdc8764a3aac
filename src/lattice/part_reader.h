// Reading back what the parts of a split run wrote (survey --json, all --count --part) and
// checking each file against itself: every line, the ranks of each list, each number of
// sublattices against the size, each survey's lists and total against its header and its
// distribution. A damaged file is refused with its line and the reason, never added up.
#pragma once

#include <string>
#include <vector>

#include "generate/survey_tally.h"
#include "lattice/count_part.h"
#include "lattice/survey_report.h"

namespace mirelkon {

struct FileSurvey {
  SurveyPart part;
  SurveyTally tally;
};

struct PartFile {
  std::string file;
  std::vector<FileSurvey> surveys;
  std::vector<CountPart> counts;
  std::string failure;  // "FILE:LINE: reason" of the first mistake; empty when sound
};

// Reads the whole file. A failed file keeps the surveys and counts whose first line was read
// before the mistake, so that merge can name the parts to run again.
PartFile ReadPartFile(const std::string& file);

}  // namespace mirelkon
