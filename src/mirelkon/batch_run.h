// Batch runs for scripts (--batch, --json): every input file in turn, each its own run with
// its own result file (as the options say), and no keyboard at all.
#pragma once

#include <string>
#include <vector>

#include "mirelkon/exit_status.h"
#include "mirelkon/job_run.h"
#include "mirelkon/run_options.h"
#include "report/report_channel.h"

namespace mirelkon {

// The worse of two exit statuses: a file that could not be opened, then a data error, then a
// withheld answer.
int WorseStatus(int a, int b);

// Runs the files in order and answers the exit status: the worst of the runs (0 all ended
// normally). An input/output failure ends the whole batch as an IoFailure. With asJson, the
// JSON lines take the place of the screen text.
int RunBatch(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
             const std::vector<std::string>& files, bool asJson);

}  // namespace mirelkon
