// Main: the session, the jobs and the end of the run, and the two early stops. A fatal
// data error is written to the diagnostic stream, shown on the screen and ends the run
// with status 1; an input/output failure ends it with the system's error number, after
// the result file has written out what it holds.
#include "session/main_flow.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "session/diagnostics.h"
#include "session/fatal_error.h"
#include "session/io_failure.h"
#include "session/report.h"
#include "session/session.h"

namespace {

int RunSession(const std::string& argument) {
  try {
    switch (OpenSession(argument)) {
      case SessionStart::helpShown:
        return 0;
      case SessionStart::noInputFile:
        return 1;
      case SessionStart::ready:
        break;
    }
    RunJobs();
    EndRun();
    return 0;
  } catch (const DataError& error) {
    WriteDataErrorDiagnostics(report.diagnostics, input.name, error);
    ShowFatalDataError(error.message);
    return 1;
  }
}

int StopOnIoFailure(const IoFailure& failure) {
  AbandonResultFile();
  CloseInputFile();
  std::fprintf(stderr, "Input/output error: cannot %s: %s\n", failure.operation.c_str(),
               std::strerror(failure.errorNumber));
  return failure.errorNumber;
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed screen pipe should end the run with a report, not silently by a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  try {
    return RunSession(argc > 1 ? argv[1] : "");
  } catch (const IoFailure& failure) {
    return StopOnIoFailure(failure);
  }
}
