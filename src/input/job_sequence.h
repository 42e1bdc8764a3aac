// The job runner: the input file's header commands, then one job after another until
// \enddata. Returns only after a job followed by \enddata; every other ending is a
// fatal data error.
#pragma once

void RunJobs();
