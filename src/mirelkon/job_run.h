// The run on one input file: its header, then job after job read, derived, counted and
// reported, until "\enddata". Every other ending is a DataError.
#pragma once

#include <array>
#include <string>

#include "core/closed_set_counter.h"
#include "core/derivation.h"
#include "core/subset_count.h"
#include "input/input_reader.h"
#include "mirelkon/answers.h"
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

// "FILE:LINE: stats: ..." on standard error: what the counter did for the count of the job
// read up to the line.
void WriteCounterStats(ReportChannel& report, int line, const CounterStats& stats);

// Answers false when an answer to the queries was withheld for some job.
bool RunJobs(Session& session, const RunOutputs& outputs);

// Reads the clock as the run's start and writes the run header to both outputs.
void WriteRunHeader(Session& session, const RunSettings& settings);

// Writes a counted job's record, the answers' fields added to it, and the subsets the answers
// list. The record comes first, so that the subsets as JSON lines follow it, unless the list
// goes to a file: then the list comes first, so that the record can say that it failed.
void WriteRecordAndList(Session& session, const RunOutputs& outputs, JobRecord& record,
                        Answers& answers, const ListedSubsets& subsets);

// Counts the subuniverses of a job read and derived, and writes "-- Result: ...", "-- <name>.
// Thus," and the sigma line to the screen and then to the result file, then the answers to
// the queries; latticeAdded is -1 without --lattice. Answers false when an answer was
// withheld.
bool CountAndReport(Session& session, const RunOutputs& outputs, ClosedSetCounter& counter,
                    const RunSettings& settings, const ParsedJob& job, const Derivation& derivation,
                    int latticeAdded, int jobNumber);

// The report of a job's derivation: the verbose listings, or the line that says nothing was
// derived. A fault becomes the DataError that ends the run, on the input line given when it
// has no line of its own; a forbidden equation is first reported on both outputs.
void ReportDerivation(ReportChannel& report, bool verbose, const ParsedJob& job,
                      const Derivation& derivation, int line);

// "-- Result:   |Sub(L)|=...", "-- <name>. Thus," and the sigma line of a counted job.
std::array<std::string, 3> ResultLines(SubsetCount count, int n, const std::string& name,
                                       int subtrahend);
// The same lines for a count given in decimal and its sigma.
std::array<std::string, 3> ResultLines(const std::string& count, double sigma,
                                       const std::string& name, int subtrahend);

}  // namespace mirelkon
