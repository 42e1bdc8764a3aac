#include "session/main_flow.h"

#include "input/job_sequence.h"

int Main(int, char**) {
  RunJobs();
  return 0;
}
