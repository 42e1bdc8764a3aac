// Completion of an input file, job by job: each read by the input reader, checked as a
// lattice by the library, and written again by the input writer. The output is the written
// file alone: the reader's echo is dropped, its warnings go to standard error.
#include "lattice/complete_command.h"

#include <cstring>

#include "core/lattice.h"
#include "input/data_error.h"
#include "input/io_failure.h"
#include "input/short_string.h"
#include "lattice/command_error.h"
#include "lattice/input_writer.h"
#include "report/diagnostics.h"

namespace {

class WarningsOnly : public NullSink {
 public:
  explicit WarningsOnly(std::string name) : name_(std::move(name)) {}
  void Warn(int line, std::string_view text) override {
    WriteDiagnostic(stderr, name_, line, std::string("warning: ").append(text));
  }

 private:
  std::string name_;
};

std::string Symbol(const PartialLattice& lattice, int x) {
  return std::string(1, lattice.elementSymbols[x]);
}

std::string FaultText(const PartialLattice& lattice, const LatticeFault& fault) {
  const std::string pair =
      "not a lattice: " + Symbol(lattice, fault.x) + " and " + Symbol(lattice, fault.y);
  switch (fault.kind) {
    case LatticeFault::cycle:
      return pair + " are each below the other";
    case LatticeFault::noUpperBound:
      return pair + " have no upper bound";
    case LatticeFault::noLowerBound:
      return pair + " have no lower bound";
    case LatticeFault::twoUpperBounds:
    case LatticeFault::twoLowerBounds:
      break;
  }
  return pair + " have two " +
         (fault.kind == LatticeFault::twoUpperBounds ? "minimal upper" : "maximal lower") +
         " bounds, " + Symbol(lattice, fault.first) + " and " + Symbol(lattice, fault.second);
}

// Every given join and meet must hold in the lattice the order makes.
void CheckGivenEquations(const ParsedJob& job, const LatticeTables& tables) {
  const PartialLattice& lattice = job.lattice;
  for (std::size_t k = 0; k < lattice.equations.size(); ++k) {
    const Equation& e = lattice.equations[k];
    if (!e.IsJoin() && !e.IsMeet()) continue;
    const int value = tables.Value(e);
    if (e.result == value) continue;
    std::string right = lattice.WrittenForm(e);
    right.back() = lattice.elementSymbols[value];
    throw DataError{lattice.WrittenForm(e) + " does not hold in this lattice: " + right,
                    job.equationLines[k],
                    {}};
  }
}

std::string CompletedJob(const InputReader& reader, const ParsedJob& job) {
  const LatticeCheck check = CheckLattice(job.lattice.order);
  if (check.fault) throw DataError{FaultText(job.lattice, *check.fault), job.edgesLine, {}};
  CheckGivenEquations(job, check.tables);
  const std::vector<Equation> missing = MissingEquations(job.lattice, check.tables);
  const int needed = static_cast<int>(job.lattice.equations.size() + missing.size());
  if (needed > maxConstraints)
    reader.Fail("the job needs " + std::to_string(needed) + " constraints; the table holds " +
                std::to_string(maxConstraints));
  return JobText(job.name, job.lattice, job.edges, missing);
}

}  // namespace

std::string CompleteInput(InputFile& file, ReportSink& sink) {
  InputReader reader(file, sink);
  reader.latticeRequired = true;
  ReadRunHeader(reader);
  RunSettings settings = reader.settings;
  settings.operationSymbols = WithJoinAndMeet(settings.operationSymbols);
  // The reader keeps only 255 characters of a line: an added symbol must not fall beyond.
  if (settings.operationSymbols.size() + std::strlen("\\operationsymbols=") > maxStringLength)
    reader.Fail("no room on the \"\\operationsymbols=\" line for the join and meet symbols");
  std::string text = RunSettingsText(settings);
  for (bool firstJob = true;; firstJob = false) {
    const ParsedJob job = ReadJob(reader, firstJob);
    text += CompletedJob(reader, job);
    if (AtEndOfData(reader)) break;
  }
  return text + "\\enddata\n";
}

std::string CompleteFile(const std::string& name) {
  InputFile file;
  if (!file.Open(name)) throw UsageError("cannot open the input file " + name);
  WarningsOnly sink(name);
  try {
    return CompleteInput(file, sink);
  } catch (const DataError& error) {
    throw CommandError{DiagnosticText(name, error.line, error.message)};
  } catch (const IoFailure& failure) {
    throw UsageError("cannot " + failure.operation + ": " + std::strerror(failure.errorNumber));
  }
}
