// A job's way through the library: read, derived, counted; and the report of each step, the
// run header before the first job and the three result lines after each.
#include "mirelkon/job_run.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>

#include "core/count.h"
#include "core/derivation.h"
#include "input/data_error.h"
#include "input/derivation_fault.h"
#include "input/input_reader.h"
#include "input/io_failure.h"
#include "input/lattice_completion.h"
#include "input/short_string.h"
#include "mirelkon/answers.h"
#include "mirelkon/listed_drawings.h"
#include "report/diagnostics.h"
#include "report/listing.h"

namespace mirelkon {

namespace {

// Characters of an element's name that a JSON record carries.
constexpr std::size_t legendNameLimit = 32;

const char* BooleanText(bool value) {
  return value ? "TRUE" : "FALSE";
}

// The fault that stopped a derivation, as the data error that ends the run; a forbidden
// equation is first reported on both outputs.
[[noreturn]] void FailDerivation(ReportChannel& report, const ParsedJob& job,
                                 const Derivation& derivation, int line) {
  const DerivationFault& fault = *derivation.fault;
  if (fault.kind == DerivationFault::forbidden) {
    const std::string text = "Check the data because of the forbidden derived constraint: " +
                             job.lattice.WrittenForm(fault.equation);
    report.WriteScreenLine();
    report.WriteResultLine();
    report.WriteScreenLine(text);
    report.WriteResultLine(text);
  }
  throw DerivationError(job, derivation, line);
}

// The verbose listings of the table, or the line that says nothing was derived.
void ListDerivation(ReportChannel& report, bool verbose, const ParsedJob& job,
                    const Derivation& derivation) {
  if (!derivation.ran) return;
  const std::span<const Equation> table = derivation.table;
  const auto typed = table.first(derivation.typedCount);
  const auto derived = table.subspan(derivation.typedCount);
  if (!verbose) {
    if (derived.empty()) report.WriteBothLine("No     derived constraints have been added .");
    return;
  }
  report.WriteBothLine("-- The initial constraints in normalized form:");
  ListEquations(report, job.lattice, typed);
  if (derived.empty()) {
    report.WriteBothLine("-- No additional constraints have been derived.");
    return;
  }
  report.WriteBothLine("-- The list of derived constraints:");
  ListEquations(report, job.lattice, derived);
}

// Fixed point, 16 decimals, right-aligned in 21 characters or wider when it needs to be.
std::string SigmaText(double sigma) {
  char text[64];
  std::snprintf(text, sizeof text, "%21.16f", sigma);
  return text;
}

// Milliseconds since start, to the microsecond.
double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return std::round(elapsed.count() * 1000) / 1000;
}

// --lattice: the joins and meets of the lattice the edges draw join the typed equations, as
// if typed on the line of "\edges". One line on both outputs says how many; the verbose
// listing names them. Answers how many were added.
int CompleteToLattice(ReportChannel& report, const InputReader& reader, ParsedJob& job) {
  const std::vector<Equation> added = LatticeCompletion(reader, job);
  AddCompletion(job, added);
  const bool listed = reader.settings.verbose && !added.empty();
  report.WriteBothLine("-- The lattice of the edges adds " + std::to_string(added.size()) +
                       " joins and meets" + (listed ? ":" : "."));
  if (listed) ListEquations(report, job.lattice, added);
  return static_cast<int>(added.size());
}

// Edges without a single join or meet are nearly always a lattice drawn by its covers, which
// the count takes as an order without operations: 2^n subsets when no equation is given at
// all. A chain is let be, its count being that of its sublattices anyway.
void WarnIfTheOrderIsAlone(ReportChannel& report, const ParsedJob& job) {
  const PartialLattice& lattice = job.lattice;
  if (job.edges.empty()) return;
  for (const Equation& e : lattice.equations)
    if (e.IsJoin() || e.IsMeet()) return;
  for (int x = 0; x < lattice.Size(); ++x)
    for (int y = x + 1; y < lattice.Size(); ++y)
      if (lattice.order.Incomparable(x, y)) {
        report.Warn(job.edgesLine,
                    "edges but no join or meet: the count ignores the order (all 2^n subsets "
                    "when nothing else is given); for the sublattices of the lattice the edges "
                    "draw, run with --lattice or mirelkon-lattice complete");
        return;
      }
}

// The legend's names of the job's elements, in element order, each cut to legendNameLimit
// characters: the record stays one write well below 4096 bytes.
std::vector<std::pair<std::string, std::string>> NamedElements(const ParsedJob& job) {
  std::vector<std::pair<std::string, std::string>> named;
  for (char symbol : job.lattice.elementSymbols) {
    const auto entry = std::find_if(job.legend.begin(), job.legend.end(),
                                    [&](const LegendEntry& e) { return e.symbol == symbol; });
    if (entry != job.legend.end())
      named.emplace_back(std::string(1, symbol),
                         std::string(CutAtCharacter(entry->name, legendNameLimit)));
  }
  return named;
}

// The split by symmetry of a count that had one, else nothing.
std::string SplitText(const CounterStats& stats) {
  if (stats.splitElements == 0) return {};
  return std::string(", first ") + std::to_string(stats.splitElements) +
         " elements decided up to symmetry in " + std::to_string(stats.splitClasses) + " classes";
}

}  // namespace

// "FILE:LINE: stats: ..." on standard error: what the counter did for the count of the job
// read up to the line.
void WriteCounterStats(ReportChannel& report, int line, const CounterStats& stats) {
  WriteDiagnostic(report.diagnostics, report.inputName, line,
                  "stats: " + std::to_string(stats.partsCounted) + " parts counted, " +
                      std::to_string(stats.cacheHits) + " cache hits, " +
                      std::to_string(stats.cacheMisses) + " misses, " +
                      std::to_string(stats.cacheReplaced) + " entries replaced, largest part " +
                      std::to_string(stats.largestPart) + " elements, cache peak " +
                      std::to_string(stats.cacheBytes) + " bytes" + SplitText(stats));
}

void WriteRunHeader(Session& session, const RunSettings& settings) {
  session.startTime = ReadTimeOfDay();
  ReportChannel& report = session.report;
  const std::string start =
      Concat({"MIRELKON ver. ", programDate, " (start:=", TimeOfDayText(session.startTime)});
  const std::string verbose =
      std::string("verbose=") + BooleanText(settings.verbose) + ") reports:";
  report.WriteScreenLine();
  report.WriteScreenLine(start + ", " + verbose);
  report.WriteScreenLine();
  report.WriteResultLine(start);
  report.WriteResultLine("   (" + verbose);
  report.WriteResultLine("Mirelkon counts the subuniverses of finite partial lattices.");
  report.WriteResultLine(thanksLine);
  report.WriteResultLine();
}

bool CountAndReport(Session& session, const RunOutputs& outputs, ClosedSetCounter& counter,
                    const RunSettings& settings, const ParsedJob& job, const Derivation& derivation,
                    int latticeAdded, int jobNumber) {
  const auto start = std::chrono::steady_clock::now();
  const Problem problem(job.lattice.order, derivation.table);
  const SubsetCount count = problem.Count(counter);
  const double milliseconds = MillisecondsSince(start);
  if (session.options.counterStats)
    WriteCounterStats(session.report, session.input.LineNumber(), counter.Stats());
  const int n = job.lattice.Size();
  const auto lines = ResultLines(count, n, job.name, settings.subtrahend);
  for (const std::string& line : lines) session.report.WriteScreenLine(line);
  for (const std::string& line : lines) session.report.WriteResultLine(line);
  JobRecord record{job.name,
                   n,
                   settings.subtrahend,
                   derivation.typedCount - std::max(latticeAdded, 0),
                   derivation.DerivedCount(),
                   DecimalText(count),
                   Sigma(count, n, settings.subtrahend),
                   milliseconds,
                   {}};
  if (latticeAdded >= 0) record.latticeConstraints = latticeAdded;
  record.legend = NamedElements(job);
  record.impossible = job.impossible;
  const auto derived = std::span<const Equation>(derivation.table).subspan(derivation.typedCount);
  for (const Equation& e : derived.first(std::min(derived.size(), maxListedDerived)))
    record.derived.push_back(job.lattice.WrittenForm(e));
  std::vector<std::pair<int, std::string>>& warnings = session.report.warnings;
  warnings.resize(std::min(warnings.size(), maxListedWarnings));
  record.warnings = std::exchange(warnings, {});
  if (!outputs.queries.Any()) {
    outputs.json.WriteJob(record);
    return true;
  }
  Answers answers = AnswerQueries(outputs.queries, counter, job, problem, count);
  for (const std::string& line : answers.lines) session.report.WriteBothLine(line);
  record.profile = answers.profile;
  if (answers.narrowed) record.sub = answers.narrowedSub;
  WriteRecordAndList(session, outputs, record, answers, SubsetsOf(job, problem, answers.required));
  if (answers.listed && !outputs.queries.drawFolder.empty())
    DrawListedSubsets(outputs.queries.drawFolder, session.report.inputName, jobNumber, job, problem,
                      answers.required);
  return !answers.withheld;
}

void WriteRecordAndList(Session& session, const RunOutputs& outputs, JobRecord& record,
                        Answers& answers, const ListedSubsets& subsets) {
  const auto writeList = [&] {
    WriteList(answers, outputs.listFile, outputs.queries.listBySize, session.report, outputs.json,
              subsets);
  };
  const auto writeRecord = [&] {
    record.answers.insert(record.answers.end(), answers.fields.begin(), answers.fields.end());
    outputs.json.WriteJob(record);
  };
  if (outputs.listFile == nullptr) {
    writeRecord();
    writeList();
    return;
  }
  // Into a list file the list goes first, so that the record can say that it failed.
  try {
    writeList();
  } catch (const IoFailure& failure) {
    MarkListingFailed(
        answers, std::string("cannot write the list file: ") + std::strerror(failure.errorNumber));
    writeRecord();
    throw;
  }
  writeRecord();
}

void ReportDerivation(ReportChannel& report, bool verbose, const ParsedJob& job,
                      const Derivation& derivation, int line) {
  if (derivation.fault) FailDerivation(report, job, derivation, line);
  ListDerivation(report, verbose, job, derivation);
}

std::array<std::string, 3> ResultLines(SubsetCount count, int n, const std::string& name,
                                       int subtrahend) {
  return ResultLines(DecimalText(count), Sigma(count, n, subtrahend), name, subtrahend);
}

std::array<std::string, 3> ResultLines(const std::string& count, double sigma,
                                       const std::string& name, int subtrahend) {
  return {"-- Result:   |Sub(L)|=" + count + " for the partial lattice", "-- " + name + ". Thus,",
          "sigma(L) = |Sub(L)|*2^(" + std::to_string(subtrahend) + "-|L|) = " + SigmaText(sigma) +
              " ."};
}

bool RunJobs(Session& session, const RunOutputs& outputs) {
  InputReader reader(session.input, session.report);
  reader.latticeRequired = session.options.lattice;
  ReadRunHeader(reader);
  reader.settings.verbose = reader.settings.verbose || session.options.verbose;
  WriteRunHeader(session, reader.settings);
  ClosedSetCounter counter(Search::full, session.options.counter);
  bool answeredAll = true;
  for (int jobNumber = 1;; ++jobNumber) {
    ParsedJob job = ReadJob(reader, jobNumber == 1);
    int latticeAdded = -1;
    if (session.options.lattice) {
      latticeAdded = CompleteToLattice(session.report, reader, job);
    } else {
      WarnIfTheOrderIsAlone(session.report, job);
    }
    const Derivation derivation = Derive(job.lattice);
    ReportDerivation(session.report, reader.settings.verbose, job, derivation,
                     reader.file.LineNumber());
    answeredAll = CountAndReport(session, outputs, counter, reader.settings, job, derivation,
                                 latticeAdded, jobNumber) &&
                  answeredAll;
    if (AtEndOfData(reader)) return answeredAll;
  }
}

}  // namespace mirelkon
