// The job runner: the input file's header, then one job after another until \enddata.
// RunJobs returns only after a job followed by \enddata; every other ending is a fatal
// data error.
#pragma once

#include <string>

void RunJobs();

// Reads one job from its first line (in the buffer) through "\endofjob" into the job
// tables, echoing it; the constraints are as read, not yet normalised or derived.
void ReadJob(std::string& line, bool firstJob);
