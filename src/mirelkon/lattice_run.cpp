// Lattices of a lattice file as jobs: the small ones through the path of input files, the
// large ones through the wide counter.
#include "mirelkon/lattice_run.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <istream>
#include <sstream>
#include <streambuf>
#include <utility>

#include "core/closed_set_lister.h"
#include "core/partial_lattice.h"
#include "core/symmetry.h"
#include "core/wide_set_counter.h"
#include "input/element_names.h"
#include "input/io_failure.h"
#include "input/lattice_file.h"
#include "mirelkon/answers.h"
#include "report/counted.h"
#include "report/diagnostics.h"

namespace mirelkon {

namespace {

// How much of the file tells what it is: the first line with content, or most of it.
constexpr std::size_t peekedBytes = 1 << 16;

// The input file's stream as a std::streambuf, for the lattice file reader.
class FileBuffer : public std::streambuf {
 public:
  explicit FileBuffer(std::FILE* file) : file_(file) { setg(block_, block_, block_); }

 protected:
  int_type underflow() override {
    const std::size_t n = std::fread(block_, 1, sizeof block_, file_);
    if (n == 0) {
      if (std::ferror(file_)) FailIo("read the input file");
      return traits_type::eof();
    }
    setg(block_, block_, block_ + n);
    return traits_type::to_int_type(block_[0]);
  }

 private:
  std::FILE* file_;
  char block_[1 << 16];
};

std::string JobName(const DrawnLattice& lattice, int number) {
  return "lattice " + std::to_string(number) + " of line " + std::to_string(lattice.line) + ", " +
         Counted(lattice.Size(), "element");
}

// The lattice as the job of an input file: default symbols, the names as its legend, every
// join and meet of two incomparable elements as its equations, its covers as its edges.
ParsedJob JobOf(const DrawnLattice& drawn, std::string name) {
  const int n = drawn.Size();
  ParsedJob job;
  job.name = std::move(name);
  job.lattice = LatticeOf(NarrowOrder(drawn.order));
  job.equationLines.assign(job.lattice.equations.size(), drawn.line);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (drawn.order.Covers(x, y))
        job.edges.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
  job.edgesLine = drawn.line;
  for (int x = 0; x < n; ++x) job.legend.push_back({defaultElementSymbols[x], drawn.names[x]});
  return job;
}

// The elements --containing names (separated by blanks) and --bounded asks for; false, with
// the name, when a name is no element.
bool RequiredElements(const Queries& queries, const DrawnLattice& lattice,
                      std::vector<int>& required, std::string& unknown) {
  std::istringstream words(queries.containing);
  for (std::string word; words >> word;) {
    const auto at = std::find(lattice.names.begin(), lattice.names.end(), word);
    if (at == lattice.names.end()) {
      unknown = word;
      return false;
    }
    required.push_back(static_cast<int>(at - lattice.names.begin()));
  }
  if (queries.bounded) {
    int bottom = 0, top = 0;
    for (int x = 1; x < lattice.Size(); ++x) {
      bottom = lattice.tables.Meet(bottom, x);
      top = lattice.tables.Join(top, x);
    }
    required.insert(required.end(), {bottom, top});
  }
  return true;
}

// The names of a subset's elements, separated by blanks as the list writes named elements;
// "{}" for the empty set.
std::string NamesText(const DrawnLattice& lattice, std::span<const std::uint64_t> set) {
  std::string text;
  for (std::size_t k = 0; k < set.size(); ++k)
    for (std::uint64_t w = set[k]; w != 0; w &= w - 1)
      text += (text.empty() ? "" : " ") + lattice.names[64 * k + Lowest(w)];
  return text.empty() ? "{}" : text;
}

// The count of a lattice beyond 64 elements, its result lines and record, and the answers the
// wide counter gives: the subsets holding the required elements, the profile and the count
// up to symmetry.
bool CountWide(Session& session, const RunOutputs& outputs, WideSetCounter& counter,
               ClosedSetCounter& narrow, const DrawnLattice& lattice, const std::string& name) {
  const int n = lattice.Size();
  std::vector<WideRule> rules = SublatticeRules(lattice.order, lattice.tables);
  const auto start = std::chrono::steady_clock::now();
  const std::vector<int> levels = DistributiveLevels(lattice.order, lattice.tables);
  const BigCount count = counter.Count(n, rules, levels);
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  if (session.options.counterStats)
    WriteCounterStats(session.report, lattice.line, counter.Stats());
  const double sigma = Sigma(count, n, 0);
  for (const std::string& line : ResultLines(DecimalText(count), sigma, name, 0))
    session.report.WriteBothLine(line);
  JobRecord record{
      name, n, 0, 0, 0, DecimalText(count), sigma, std::round(elapsed.count() * 1000) / 1000, {}};
  bool answered = true;
  Answers list;  // of --list, with the answers before it in its fields
  const Queries& queries = outputs.queries;
  std::vector<int> required;
  std::string unknown;
  const auto withhold = [&](const std::string& reason) {
    session.report.WriteBothLine("-- Not answered beyond the count: " + reason);
    AddWithheld(record.answers, reason);
    answered = false;
  };
  if (!RequiredElements(queries, lattice, required, unknown)) {
    withhold("\"" + unknown + "\" is no element of L");
    record.sub = std::nullopt;
  } else {
    std::string holding;
    BigCount listed = count;
    if (!required.empty()) {
      RequireElements(n, required, rules);
      const BigCount held = counter.Count(n, rules, levels) - 1;
      listed = held;
      for (int r : required) holding += (holding.empty() ? " holding " : ", ") + lattice.names[r];
      session.report.WriteBothLine("-- Closed subsets" + holding + ": " + DecimalText(held));
      record.sub = DecimalText(held);
    }
    if (queries.profile) {
      std::vector<BigCount> bySize = counter.CountBySize(n, rules, levels);
      if (!required.empty()) bySize[0] -= 1;
      for (std::size_t k = 0; k < bySize.size(); ++k) {
        if (bySize[k] != 0)
          session.report.WriteBothLine("-- Closed subsets" + holding + " of size " +
                                       std::to_string(k) + ": " + DecimalText(bySize[k]));
        record.profile.push_back(DecimalText(bySize[k]));
      }
    }
    if (queries.upToSymmetry) {
      Answers symmetry;
      AnswerSymmetry(symmetry,
                     CountSublatticesUpToSymmetry(counter, narrow, lattice.order, lattice.tables,
                                                  required, levels),
                     holding);
      for (const std::string& line : symmetry.lines) session.report.WriteBothLine(line);
      record.answers.insert(record.answers.end(), symmetry.fields.begin(), symmetry.fields.end());
      answered = answered && !symmetry.withheld;
    }
    if (queries.list) {
      list.fields = std::exchange(record.answers, {});
      AnswerWideList(list, queries, listed);
      for (const std::string& line : list.lines) session.report.WriteBothLine(line);
      answered = answered && !list.withheld;
    }
  }
  // Listed under the rules of the count: with the required elements in, those that require
  // them hold already.
  WriteRecordAndList(
      session, outputs, record, list,
      {name,
       [&](const ListedSubsets::Visit& visit) { ListWideClosedSets(n, rules, required, visit); },
       [&](std::span<const std::uint64_t> set) { return NamesText(lattice, set); }});
  return answered;
}

bool RunLatticeFile(Session& session, const RunOutputs& outputs) {
  FileBuffer buffer(session.input.Stream());
  std::istream in(&buffer);
  LatticeFileReader reader(in);
  RunSettings settings{session.options.verbose, 0, "+*"};
  WriteRunHeader(session, settings);
  ClosedSetCounter counter(Search::full, session.options.counter);
  WideSetCounter wide(session.options.counter);
  bool answeredAll = true;
  DrawnLattice lattice;
  for (int number = 1; reader.Next(lattice); ++number) {
    const std::string name = JobName(lattice, number);
    if (lattice.Size() > maxElements) {
      answeredAll = CountWide(session, outputs, wide, counter, lattice, name) && answeredAll;
      continue;
    }
    const ParsedJob job = JobOf(lattice, name);
    const Derivation derivation = Derive(job.lattice);
    ReportDerivation(session.report, settings.verbose, job, derivation, lattice.line);
    answeredAll =
        CountAndReport(session, outputs, counter, settings, job, derivation, -1, number) &&
        answeredAll;
  }
  return answeredAll;
}

}  // namespace

bool RunOpenedInput(Session& session, const RunOutputs& outputs) {
  if (IsLatticeFileText(session.input.PeekStart(peekedBytes)))
    return RunLatticeFile(session, outputs);
  return RunJobs(session, outputs);
}

}  // namespace mirelkon
