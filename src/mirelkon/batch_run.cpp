// The batch loop. The screen text of each run is what a console session shows, less the
// dialogue and the lines that ask for <enter>; with --json it gives way to JSON lines.
#include "mirelkon/batch_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "input/short_string.h"
#include "mirelkon/fatal_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/lattice_run.h"
#include "report/json_records.h"

namespace mirelkon {

namespace {

void ReportUnopenable(JsonRecords& json, const std::string& name) {
  const char* reason = std::strerror(errno != 0 ? errno : ENOENT);
  std::fprintf(stderr, "mirelkon: cannot open %s: %s\n", name.c_str(), reason);
  json.WriteError(Concat({"cannot open: ", reason}), 0);
}

// The first line of every result file, "MIRELKON ver. <date> (start:=...", which no input
// file begins with: a glob run twice over a folder names the first run's results too. Only a
// regular file is looked at; a pipe would lose what is read.
bool IsResultFile(const std::string& name) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(name, ignored)) return false;
  std::ifstream file(name, std::ios::binary);
  std::string first(64, '\0');
  file.read(first.data(), static_cast<std::streamsize>(first.size()));
  first.resize(static_cast<std::size_t>(file.gcount()));
  return first.starts_with(Concat({"MIRELKON ver. ", programDate, " (start:="}));
}

int RunFile(ReportChannel& report, const RunOutputs& outputs, const RunOptions& options,
            const std::string& name) {
  JsonRecords& json = outputs.json;
  if (IsResultFile(name)) {
    std::fprintf(stderr, "mirelkon: %s is skipped: it is a result file of mirelkon\n",
                 name.c_str());
    return 0;
  }
  Session session(report, options);
  const bool opened = OpenInputArgument(session, name);
  json.StartFile(session.inputFileName);
  if (!opened) {
    ReportUnopenable(json, session.inputFileName);
    return statusCannotOpen;
  }
  try {
    StartRunOnOpenedInput(session);
    const bool answeredAll = RunInput(session, outputs);
    EndRun(session);
    return answeredAll ? 0 : statusWithheld;
  } catch (const DataError& error) {
    ShowFatalDataError(session, error);
    json.WriteError(error.record.empty() ? error.message : error.record, error.line, error.detail);
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

}  // namespace mirelkon
