// Completion of an input file, job by job, through ReadRunHeader and ReadJob. The input code
// echoes every line it reads to the screen and the result file; complete's output is the
// written file alone, so both report outputs go to the null device while it reads.
#include "lattice/complete_command.h"

#include <cstring>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "input/line_reader.h"
#include "input/run_header.h"
#include "lattice/command_error.h"
#include "lattice/input_writer.h"
#include "lattice/lattice_check.h"
#include "model/short_string.h"
#include "session/diagnostics.h"
#include "session/fatal_error.h"
#include "session/io_failure.h"
#include "session/report.h"

namespace {

class SilencedReport {
 public:
  SilencedReport() : saved_(report) { report.screen = report.resultFile = NullSink(); }
  ~SilencedReport() { report = saved_; }
  SilencedReport(const SilencedReport&) = delete;
  SilencedReport& operator=(const SilencedReport&) = delete;

 private:
  ReportChannel saved_;
};

}  // namespace

std::string CompleteInput() {
  SilencedReport silenced;
  job.inEdgesSection = false;
  job.inConstraintsSection = false;
  std::string line;
  ReadRunHeader(line);
  std::string text;
  WriteRunSettings(text);
  for (bool firstJob = true;; firstJob = false) {
    ReadJob(line, firstJob);
    CheckLattice(job.edgesLine);
    CheckGivenEquations();
    WriteCompletedJob(text);
    ReadLogicalLine(line);
    if (Contains(line, "\\enddata")) break;
  }
  return text + "\\enddata\n";
}

std::string CompleteFile(const std::string& name) {
  if (!OpenInputFile(name)) throw UsageError("cannot open the input file " + name);
  try {
    std::string text = CompleteInput();
    CloseInputFile();
    return text;
  } catch (const DataError& error) {
    CloseInputFile();
    throw CommandError{DiagnosticText(name, error.line, error.message)};
  } catch (const IoFailure& failure) {
    CloseInputFile();
    throw UsageError("cannot " + failure.operation + ": " + std::strerror(failure.errorNumber));
  }
}
