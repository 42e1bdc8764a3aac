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

void FailIfExhausted(std::string_view message) {
  if (InputExhausted()) FatalDataError(message);
}

void StartJob(std::string& line, bool firstJob) {
  WriteBothLine();
  job.inEdgesSection = false;
  job.inConstraintsSection = false;
  if (InputExhausted() || (firstJob && Contains(line, "\\enddata"))) {
    FatalDataError("No more jobs, the program terminates.");
  }
  while (!Contains(line, "\\name")) {
    FailIfExhausted("(code4idG) \"\\name\" is missing from input file");
    ReadLogicalLine(line);
  }
  FailIfExhausted("(code4idG) \"\\name\" is missing from input file");
}

void ReadEdges(std::string& line) {
  FailIfExhausted("(codeChTs) \"\\edges\" is missing from input file");
  WriteBothLine(" Edges:");
  ReadLogicalLine(line);
  if (!Contains(line, "\\edges"))
    FatalDataError("(codeRtPx) \"\\edges\" is missing from input file");
  job.inEdgesSection = true;
  for (;;) {
    ReadLogicalLine(line);
    FailIfExhausted("(codXkY) \"\\edges\" was expected");
    if (Contains(line, "\\constraints")) break;
    ParseEdgeLine(line);
  }
  job.inEdgesSection = false;
  CloseOrder();
  if (run.verbose) PrintStrictOrder();
}

void ReadConstraints(std::string& line) {
  WriteBothLine("-- Constraints:");
  job.constraintCount = 0;
  job.inConstraintsSection = true;
  for (;;) {
    ReadLogicalLine(line);
    FailIfExhausted("(codezBnY) \"\\constraints\" or \"\\endofjob\" was expected");
    if (Contains(line, "\\endofjob")) break;
    ParseConstraintLine(line);
  }
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
    if (Contains(line, "\\enddata")) return;
  }
}
