// Main: the command line, then a console session or a batch of runs, and the ways a run stops
// early. A fatal data error is written to the diagnostic stream, shown on the screen and ends
// a session with status 1; an input/output failure ends the program with status 4, after the
// result file has written out what it holds; memory that runs out (or any other failure
// thrown inside) ends it with status 5, the result file closed as written or removed if empty.
#include "mirelkon/main_flow.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

#include "input/io_failure.h"
#include "mirelkon/batch_run.h"
#include "mirelkon/command_line.h"
#include "mirelkon/exit_status.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/lattice_run.h"
#include "mirelkon/session.h"
#include "report/broken_pipe.h"
#include "report/new_file.h"
#include "report/staged_file.h"

namespace mirelkon {

namespace {

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
    const bool answeredAll = RunInput(session, outputs);
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
  return statusIoFailure;
}

// One line naming what failed and where, with a hint, and the JSON record of the run it
// stopped.
int StopOnFailure(ReportChannel& report, JsonRecords& json, const std::string& what,
                  const std::string& hint) {
  report.AbandonResultFile(true);
  const std::string where = report.inputName.empty() ? "" : " while running " + report.inputName;
  std::fprintf(stderr, "mirelkon: %s%s%s\n", what.c_str(), where.c_str(), hint.c_str());
  json.WriteError(what, 0);
  if (json.out != nullptr) std::fflush(json.out);
  return statusOutOfMemory;
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

int RunWithOutputs(ReportChannel& report, JsonRecords& json, const CommandLine& line) {
  // The file --list-to names is created new: a list never replaces someone's file. It is
  // written under a temporary name and takes its own only when the program ends normally;
  // a failure that ends it at once removes the temporary file on the way out.
  const std::string& listTo = line.queries.listTo;
  StagedFile listFile;
  if (!listTo.empty() && !listFile.Create(listTo))
    return RefuseCommandLine(errno == EEXIST
                                 ? listTo + " exists already; it is not overwritten"
                                 : "cannot create " + listTo + ": " + std::strerror(errno));
  const RunOutputs outputs{json, line.queries, listFile.File()};
  const int status =
      line.action == Action::batch
          ? RunBatch(report, outputs, line.run, line.files, line.json)
          : RunSession(report, outputs, line.run, line.files.empty() ? "" : line.files.front());
  if (!listFile.Publish()) FailIo("close the list file " + listTo);
  return status;
}

int Dispatch(ReportChannel& report, JsonRecords& json, const CommandLine& line) {
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
  return RunWithOutputs(report, json, line);
}

}  // namespace

int Main(int argc, char** argv) {
#ifdef SIGPIPE
  // A closed pipe ends the run through the report's path, which first writes out what the
  // result file holds and then ends quietly as by the signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  ReportChannel report;
  JsonRecords json;
  try {
    return Dispatch(report, json, ParseCommandLine(argc, argv));
  } catch (const IoFailure& failure) {
    return StopOnIoFailure(report, failure);
  } catch (const std::bad_alloc&) {
    return StopOnFailure(report, json, "out of memory", "; a smaller --cache-mb may help");
  } catch (const std::exception& failure) {
    return StopOnFailure(report, json, std::string("failure inside: ") + failure.what(), "");
  }
}

}  // namespace mirelkon
