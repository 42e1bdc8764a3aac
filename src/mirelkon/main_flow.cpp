// Main: the command line, then a console session or a batch of runs, and the two ways a run
// stops early. A fatal data error is written to the diagnostic stream, shown on the screen and
// ends a session with status 1; an input/output failure ends the program with the system's
// error number, after the result file has written out what it holds.
#include "mirelkon/main_flow.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "input/io_failure.h"
#include "mirelkon/batch_run.h"
#include "mirelkon/command_line.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/session.h"

namespace {

constexpr int statusUsageError = 2;

int RunSession(ReportChannel& report, const RunOptions& options, const std::string& argument) {
  Session session(report, options);
  try {
    switch (OpenSession(session, argument)) {
      case SessionStart::helpShown:
        return 0;
      case SessionStart::noInputFile:
        return 1;
      case SessionStart::ready:
        break;
    }
    JsonRecords noJson;
    RunJobs(session, noJson);
    EndRun(session);
    return 0;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    return 1;
  }
}

int StopOnIoFailure(ReportChannel& report, const IoFailure& failure) {
  report.AbandonResultFile();
  std::fprintf(stderr, "Input/output error: cannot %s: %s\n", failure.operation.c_str(),
               std::strerror(failure.errorNumber));
  return failure.errorNumber;
}

int WriteToStandardOutput(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0)
    FailIo("write to standard output");
  return 0;
}

int RefuseCommandLine(const std::string& error) {
  std::fprintf(stderr, "mirelkon: %s\nTry 'mirelkon --help' for more information.\n",
               error.c_str());
  return statusUsageError;
}

int Dispatch(ReportChannel& report, const CommandLine& line) {
  switch (line.action) {
    case Action::help:
      return WriteToStandardOutput(UsageText());
    case Action::version:
      return WriteToStandardOutput(VersionText());
    case Action::usageError:
      return RefuseCommandLine(line.error);
    case Action::batch:
      return RunBatch(report, line.files, line.json, line.run);
    case Action::session:
      break;
  }
  return RunSession(report, line.run, line.files.empty() ? "" : line.files.front());
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed screen pipe should end the run with a report, not silently by a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  ReportChannel report;
  try {
    return Dispatch(report, ParseCommandLine(argc, argv));
  } catch (const IoFailure& failure) {
    return StopOnIoFailure(report, failure);
  }
}
