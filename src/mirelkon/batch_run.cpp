// The batch loop. The screen text of each run is what a console session shows, less the
// dialogue and the lines that ask for <enter>; with --json it gives way to JSON lines.
#include "mirelkon/batch_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "input/short_string.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "report/json_records.h"

namespace {

void ReportUnopenable(JsonRecords& json, const std::string& name) {
  const char* reason = std::strerror(errno != 0 ? errno : ENOENT);
  std::fprintf(stderr, "mirelkon: cannot open %s: %s\n", name.c_str(), reason);
  json.WriteError(Concat({"cannot open: ", reason}), 0);
}

int RunFile(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
            const std::string& name) {
  JsonRecords& json = outputs.json;
  Session session(report, options);
  const bool opened = OpenInputArgument(session, name);
  json.StartFile(session.inputFileName);
  if (!opened) {
    ReportUnopenable(json, session.inputFileName);
    return statusCannotOpen;
  }
  try {
    StartRunOnOpenedInput(session);
    const bool answeredAll = RunJobs(session, outputs);
    EndRun(session);
    return answeredAll ? 0 : statusWithheld;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    json.WriteError(error.message, error.line, error.detail);
    return statusDataError;
  }
}

}  // namespace

int WorseStatus(int a, int b) {
  auto rank = [](int status) { return status == statusWithheld ? 1 : 2 * status; };
  return rank(a) >= rank(b) ? a : b;
}

int RunBatch(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
             const std::vector<std::string>& files, bool asJson) {
  // No keyboard; a buffered screen, or none at all when JSON lines take its place.
  report.keyboard = nullptr;
  report.flushScreen = false;
  if (asJson) {
    outputs.json.out = report.screen;
    report.screen = nullptr;
  }
  WriteBanner(report);
  int worst = 0;
  for (const std::string& name : files) {
    worst = WorseStatus(worst, RunFile(report, outputs, options, name));
    report.FlushScreen();
  }
  return worst;
}
