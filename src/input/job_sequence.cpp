#include "input/job_sequence.h"

void RunJobs() {}
