// The run of one input file, from its opening to its end or to the data error that stops it.
#include "mirelkon/input_run.h"

#include "mirelkon/exit_status.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/lattice_run.h"

namespace mirelkon {

int RunInput(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
             const InputOpening& open) {
  Session session(report, options);
  try {
    switch (open(session)) {
      case SessionStart::helpShown:
        return statusSuccess;
      case SessionStart::noInputFile:
        return statusNoInputFile;
      case SessionStart::cannotOpen:
        return statusCannotOpen;
      case SessionStart::ready:
        break;
    }
    const bool answeredAll = RunOpenedInput(session, outputs);
    EndRun(session);
    return answeredAll ? statusSuccess : statusWithheld;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    outputs.json.WriteError(error.record.empty() ? error.message : error.record, error.line,
                            error.detail);
    return statusDataError;
  }
}

}  // namespace mirelkon
