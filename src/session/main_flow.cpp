// Main: the command line, then a console session or a batch of runs, and the two ways a
// run stops early. A fatal data error is written to the diagnostic stream, shown on the
// screen and ends a session with status 1; an input/output failure ends the program with
// the system's error number, after the result file has written out what it holds.
#include "session/main_flow.h"

#include <csignal>
#include <cstdio>
#include <cstring>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "session/batch_run.h"
#include "session/command_line.h"
#include "session/fatal_error.h"
#include "session/io_failure.h"
#include "session/report.h"
#include "session/session.h"

namespace {

constexpr int statusUsageError = 2;

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
    ShowFatalDataError(error);
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

int Dispatch(const CommandLine& line) {
  switch (line.action) {
    case Action::help:
      return WriteToStandardOutput(UsageText());
    case Action::version:
      return WriteToStandardOutput(VersionText());
    case Action::usageError:
      return RefuseCommandLine(line.error);
    case Action::batch:
      return RunBatch(line.files, line.json);
    case Action::session:
      break;
  }
  return RunSession(line.files.empty() ? "" : line.files.front());
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed screen pipe should end the run with a report, not silently by a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  try {
    return Dispatch(ParseCommandLine(argc, argv));
  } catch (const IoFailure& failure) {
    return StopOnIoFailure(failure);
  }
}
