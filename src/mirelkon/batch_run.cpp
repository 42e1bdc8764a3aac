// The batch loop. The screen text of each run is what a console session shows, less the
// dialogue and the lines that ask for <enter>; with --json it gives way to JSON lines.
#include "mirelkon/batch_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "input/short_string.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "report/json_records.h"

namespace {

constexpr int statusDataError = 1;
constexpr int statusCannotOpen = 2;

void ReportUnopenable(JsonRecords& json, const std::string& name) {
  const char* reason = std::strerror(errno != 0 ? errno : ENOENT);
  std::fprintf(stderr, "mirelkon: cannot open %s: %s\n", name.c_str(), reason);
  json.WriteError(Concat({"cannot open: ", reason}), 0);
}

int RunFile(ReportChannel& report, JsonRecords& json, const RunOptions& options,
            const std::string& name) {
  Session session(report, options);
  const bool opened = OpenInputArgument(session, name);
  json.StartFile(session.inputFileName);
  if (!opened) {
    ReportUnopenable(json, session.inputFileName);
    return statusCannotOpen;
  }
  try {
    StartRunOnOpenedInput(session);
    RunJobs(session, json);
    EndRun(session);
    return 0;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    json.WriteError(error.message, error.line);
    return statusDataError;
  }
}

}  // namespace

int RunBatch(ReportChannel& report, const std::vector<std::string>& files, bool asJson,
             const RunOptions& options) {
  // No keyboard; a buffered screen, or none at all when JSON lines take its place.
  JsonRecords json;
  report.keyboard = nullptr;
  report.flushScreen = false;
  if (asJson) {
    json.out = report.screen;
    report.screen = nullptr;
  }
  WriteBanner(report);
  int worst = 0;
  for (const std::string& name : files) {
    worst = std::max(worst, RunFile(report, json, options, name));
    report.FlushScreen();
  }
  return worst;
}
