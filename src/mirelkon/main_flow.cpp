// Main: the command line, then a console session or a batch of runs, and the two ways a run
// stops early. A fatal data error is written to the diagnostic stream, shown on the screen and
// ends a session with status 1; an input/output failure ends the program with the system's
// error number, after the result file has written out what it holds.
#include "mirelkon/main_flow.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "input/io_failure.h"
#include "mirelkon/batch_run.h"
#include "mirelkon/command_line.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/session.h"
#include "report/broken_pipe.h"
#include "report/new_file.h"

namespace {

constexpr int statusUsageError = 2;

int RunSession(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
               const std::string& argument) {
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
    const bool answeredAll = RunJobs(session, outputs);
    EndRun(session);
    return answeredAll ? 0 : statusWithheld;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    return 1;
  }
}

int StopOnIoFailure(ReportChannel& report, const IoFailure& failure) {
  report.AbandonResultFile();
  if (failure.errorNumber == EPIPE) EndOnBrokenPipe();
  std::fprintf(stderr, "Input/output error: cannot %s: %s\n", failure.operation.c_str(),
               std::strerror(failure.errorNumber));
  // Most often a folder without write permission: say how to run all the same.
  if (failure.operation.starts_with("create the result file"))
    std::fputs(
        "mirelkon: put the result files into a folder you may write to with --results DIR, "
        "or write none with --no-results\n",
        stderr);
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

void CloseListFile(std::FILE* file) {
  errno = 0;
  if (file != nullptr && std::fclose(file) != 0) FailIo("close the list file");
}

int RunWithOutputs(ReportChannel& report, const CommandLine& line) {
  // The file --list-to names is created new: a list never replaces someone's file.
  const std::string& listTo = line.queries.listTo;
  std::FILE* listFile = listTo.empty() ? nullptr : CreateNewFile(listTo);
  if (!listTo.empty() && listFile == nullptr)
    return RefuseCommandLine(errno == EEXIST
                                 ? listTo + " exists already; it is not overwritten"
                                 : "cannot create " + listTo + ": " + std::strerror(errno));
  JsonRecords json;
  const RunOutputs outputs{json, line.queries, listFile};
  const int status =
      line.action == Action::batch
          ? RunBatch(report, outputs, line.run, line.files, line.json)
          : RunSession(report, outputs, line.run, line.files.empty() ? "" : line.files.front());
  CloseListFile(listFile);
  return status;
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
    case Action::session:
      break;
  }
  return RunWithOutputs(report, line);
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed pipe ends the run through the report's path, which first writes out what the
  // result file holds and then ends quietly as by the signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  ReportChannel report;
  try {
    return Dispatch(report, ParseCommandLine(argc, argv));
  } catch (const IoFailure& failure) {
    return StopOnIoFailure(report, failure);
  }
}
