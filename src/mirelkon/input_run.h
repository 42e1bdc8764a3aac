// One run on one input file, the same for the console session and for each file of a batch:
// open the input, run its jobs or lattices, end the run; a fatal data error stops it, shown on the screen,
// written to the diagnostic stream and, in a JSON run, as the run's error record.
#pragma once

#include <functional>

#include "mirelkon/job_run.h"
#include "mirelkon/run_options.h"
#include "mirelkon/session.h"
#include "report/report_channel.h"

namespace mirelkon {

// How a run finds its input: the console session's dialogue, or a name of a batch.
using InputOpening = std::function<SessionStart(Session&)>;

// The run's exit status: statusSuccess, statusWithheld, statusDataError, statusCannotOpen or
// statusNoInputFile (mirelkon/exit_status.h).
int RunInput(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
             const InputOpening& open);

}  // namespace mirelkon
