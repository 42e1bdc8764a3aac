// Batch runs for scripts (--batch, --json): every input file in turn, each its own run with
// its own result file (as the options say), and no keyboard at all.
#pragma once

#include <string>
#include <vector>

#include "mirelkon/run_options.h"
#include "report/report_channel.h"

// Runs the files in order and answers the exit status: the worst of the runs (0 all ended
// normally, 1 a data error, 2 a file that could not be opened). An input/output failure ends
// the whole batch as an IoFailure.
int RunBatch(ReportChannel& report, const std::vector<std::string>& files, bool asJson,
             const RunOptions& options);
