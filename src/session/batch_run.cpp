// The batch loop. The screen text of each run is what a console session shows, less the
// dialogue and the lines that ask for <enter>; with --json it gives way to JSON lines.
#include "session/batch_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "input/line_reader.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/json_records.h"
#include "session/report.h"
#include "session/session.h"

namespace {

constexpr int statusDataError = 1;
constexpr int statusCannotOpen = 2;

// No keyboard; a buffered screen, or none at all when JSON lines take its place.
void PrepareOutputs(bool asJson) {
  report.keyboard = nullptr;
  report.flushScreen = false;
  if (!asJson) return;
  json.out = report.screen;
  report.screen = NullSink();
}

void ReportUnopenable(const std::string& name) {
  const char* reason = std::strerror(errno != 0 ? errno : ENOENT);
  std::fprintf(stderr, "mirelkon: cannot open %s: %s\n", name.c_str(), reason);
  WriteErrorRecord(Concat({"cannot open: ", reason}), 0);
}

int RunFile(const std::string& name) {
  StartJsonFile(name);
  session = Session{};
  reader = LineReader{};
  session.inputFileName = Concat({name});
  if (!OpenInputFile(session.inputFileName)) {
    ReportUnopenable(name);
    return statusCannotOpen;
  }
  try {
    StartRunOnOpenedInput();
    RunJobs();
    EndRun();
    return 0;
  } catch (const DataError& error) {
    ShowFatalDataError(error);
    WriteErrorRecord(error.message, error.line);
    return statusDataError;
  }
}

}  // namespace

int RunBatch(const std::vector<std::string>& files, bool asJson) {
  PrepareOutputs(asJson);
  WriteBanner();
  int worst = 0;
  for (const std::string& name : files) {
    worst = std::max(worst, RunFile(name));
    FlushScreen();
  }
  return worst;
}
