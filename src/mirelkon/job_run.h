// The run on one input file: its header, then job after job read, derived, counted and
// reported, until "\enddata". Every other ending is a DataError.
#pragma once

#include <array>
#include <string>

#include "core/derivation.h"
#include "core/subset_count.h"
#include "input/input_reader.h"
#include "mirelkon/queries.h"
#include "mirelkon/session.h"
#include "report/json_records.h"

namespace mirelkon {

// Where a run's answers go beyond the screen and the result file.
struct RunOutputs {
  JsonRecords& json;
  const Queries& queries;
  std::FILE* listFile = nullptr;  // the --list-to file; nullptr: the screen or JSON lines
};

// Answers false when an answer to the queries was withheld for some job.
bool RunJobs(Session& session, const RunOutputs& outputs);

// The report of a job's derivation: the verbose listings, or the line that says nothing was
// derived. A fault becomes the DataError that ends the run, on the input line given when it
// has no line of its own; a forbidden equation is first reported on both outputs.
void ReportDerivation(ReportChannel& report, bool verbose, const ParsedJob& job,
                      const Derivation& derivation, int line);

// "-- Result:   |Sub(L)|=...", "-- <name>. Thus," and the sigma line of a counted job.
std::array<std::string, 3> ResultLines(SubsetCount count, int n, const std::string& name,
                                       int subtrahend);

}  // namespace mirelkon
