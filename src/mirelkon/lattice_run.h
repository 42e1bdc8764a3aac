// The run on a lattice file: each lattice it draws counted and reported as a job of an input
// file is. A lattice of at most 64 elements becomes such a job (its elements named by the
// legend), so that every query is answered as for the input file; a larger one is counted
// over wide sets, with its profile and the subsets holding given elements.
#pragma once

#include "mirelkon/job_run.h"
#include "mirelkon/session.h"

namespace mirelkon {

// The run on the opened input: a lattice file when its first line with content draws cover
// pairs or is digraph6, else an input file (RunJobs); a terminal is taken for an input file.
// Answers false when an answer to the queries was withheld for some job.
bool RunOpenedInput(Session& session, const RunOutputs& outputs);

}  // namespace mirelkon
