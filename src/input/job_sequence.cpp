// The sequence of jobs and the sections of each job.
#include "input/job_sequence.h"

#include "constraints/constraint_listing.h"
#include "constraints/derivation.h"
#include "input/constraint_line.h"
#include "input/edge_line.h"
#include "input/input_file.h"
#include "input/job_opening.h"
#include "input/line_reader.h"
#include "input/run_header.h"
#include "model/count.h"
#include "model/job_model.h"
#include "model/order.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/report.h"

namespace {

void StartJob(std::string& line, bool firstJob) {
  WriteBothLine();
  job.inEdgesSection = false;
  job.inConstraintsSection = false;
  if (InputExhausted() || (firstJob && Contains(line, "\\enddata"))) {
    FatalDataError("No more jobs, the program terminates.");
  }
  SkipToCommand(line, "\\name", "(code4idG) \"\\name\" is missing from input file");
}

// Hands every logical line up to the one holding the closing command to the parser; that
// line, like every item line, must not be the last line of the file.
void ReadItemLines(std::string& line, std::string_view closingCommand,
                   std::string_view missingMessage, void (*parse)(std::string&)) {
  for (;;) {
    ReadLogicalLine(line);
    FailIfExhausted(missingMessage);
    if (Contains(line, closingCommand)) {
      CheckCommandStanding(line, closingCommand);
      return;
    }
    parse(line);
  }
}

void ReadEdges(std::string& line) {
  FailIfExhausted("(codeChTs) \"\\edges\" is missing from input file");
  WriteBothLine(" Edges:");
  ReadLogicalLine(line);
  if (!Contains(line, "\\edges"))
    FatalDataError("(codeRtPx) \"\\edges\" is missing from input file");
  job.edgesLine = input.lineNumber;
  CheckCommandStanding(line, "\\edges");
  job.inEdgesSection = true;
  ReadItemLines(line, "\\constraints", "(codXkY) \"\\edges\" was expected", ParseEdgeLine);
  job.inEdgesSection = false;
  CloseOrder();
  if (run.verbose) PrintStrictOrder();
}

void ReadConstraints(std::string& line) {
  WriteBothLine("-- Constraints:");
  job.constraintCount = 0;
  job.inConstraintsSection = true;
  ReadItemLines(line, "\\endofjob", "(codezBnY) \"\\constraints\" or \"\\endofjob\" was expected",
                ParseConstraintLine);
  job.inConstraintsSection = false;
  if (run.verbose) {
    WriteBothLine("-- Initial constraints (taken from the input):  ");
    ListConstraintSlots(1, job.constraintCount);
  }
  job.initialConstraintCount = job.constraintCount;
}

}  // namespace

void ReadJob(std::string& line, bool firstJob) {
  StartJob(line, firstJob);
  ReadNameSizeAndElements(line);
  ReadEdges(line);
  ReadConstraints(line);
}

void RunJobs() {
  job.inEdgesSection = false;
  job.inConstraintsSection = false;
  std::string line;
  ReadRunHeader(line);
  WriteRunHeader();
  for (bool firstJob = true;; firstJob = false) {
    ReadJob(line, firstJob);
    DeriveConstraints();
    CountSubuniverses();
    ReadLogicalLine(line);
    if (Contains(line, "\\enddata")) {
      CheckCommandStanding(line, "\\enddata");
      return;
    }
  }
}
