// Benchmark of the two hot steps of a job, the derivation and the count, on the input files
// given (read with the program's own input code) and on synthetic jobs: the 30-element
// chain, random 30-element jobs with up to 4096 constraints, and a full 4096-slot table for
// the derivation. Each figure is the median of R runs (--repetitions, default 7), followed by
// the counter's statistics. With --baseline-seconds S (default 60; 0 turns it off) the
// literal enumeration of all 2^n subsets runs on each job of at most 30 elements in a child
// process and is reported where it finishes in S. With --cnf FOLDER each job's derived rules
// are also written there as a DIMACS CNF file (one clause "not l or not r or z" per rule),
// so that general model counters can be timed on the very same rules. With --by-size the
// counts by size are timed too, with their ratio to the plain count.
//
//   build/bench/mirelkon_bench [--baseline-seconds S] [--repetitions R] [--by-size]
//                              [--cnf FOLDER] [input files...]
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/count.h"
#include "core/derivation.h"
#include "count_test_support.h"
#include "input/data_error.h"
#include "input/input_reader.h"

using namespace mirelkon;

namespace {

// What the command line asks for.
struct BenchOptions {
  int baselineSeconds = 60;
  int repetitions = 7;
  bool bySize = false;  // also time the counts by size
  std::filesystem::path cnfFolder;
};

template <class Step>
double MedianMilliseconds(int repetitions, Step step) {
  std::vector<double> times;
  for (int i = 0; i < repetitions; ++i) {
    auto start = std::chrono::steady_clock::now();
    step();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Seconds the literal enumeration takes, or a negative number when it does not finish
// within the limit (the child is then killed).
double BaselineSeconds(int limitSeconds, int n, const std::vector<JobRule>& rules,
                       std::int64_t expected) {
  if (limitSeconds <= 0) return -1;
  int channel[2];
  if (pipe(channel) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    auto start = std::chrono::steady_clock::now();
    std::int64_t count = EnumeratedCount(n, rules);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (count != expected) seconds = -2;
    if (write(channel[1], &seconds, sizeof seconds) != sizeof seconds) _exit(1);
    _exit(0);
  }
  close(channel[1]);
  pollfd ready{channel[0], POLLIN, 0};
  double seconds = -1;
  if (poll(&ready, 1, limitSeconds * 1000) == 1 &&
      read(channel[0], &seconds, sizeof seconds) != sizeof seconds) {
    seconds = -1;
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(channel[0]);
  return seconds;
}

// The rules as DIMACS CNF: element e is variable e + 1, a rule (l, r, z) the clause "not l
// or not r or z", a rule with equal premises "not l or z"; rules whose result is a premise
// exclude nothing and are left out. Every element is a variable, so free elements double the
// model count as they double the count of closed subsets.
void WriteCnf(const std::filesystem::path& path, int n, std::span<const Rule> rules) {
  std::vector<Rule> clauses;
  for (const Rule& r : rules)
    if (r.result != r.left && r.result != r.right) clauses.push_back(r);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    std::printf("%s: cannot be written\n", path.c_str());
    return;
  }
  std::fprintf(out, "p cnf %d %zu\n", n, clauses.size());
  for (const Rule& r : clauses) {
    std::fprintf(out, "-%d ", r.left + 1);
    if (r.right != r.left) std::fprintf(out, "-%d ", r.right + 1);
    std::fprintf(out, "%d 0\n", r.result + 1);
  }
  std::fclose(out);
}

// Times the derivation and the count of the partial lattice and prints one row: the figures,
// then what the counter did in one more count of its own. With a CNF folder the derived rules
// are written there as CNF_NAME.cnf.
void MeasureJob(const std::string& label, const PartialLattice& lattice,
                const BenchOptions& options, const std::string& cnfName = {}) {
  Derivation derivation;
  double deriveMs = MedianMilliseconds(options.repetitions, [&] { derivation = Derive(lattice); });
  const int n = lattice.Size();
  SubsetCount count = 0;
  ClosedSetCounter counter;
  double countMs = MedianMilliseconds(options.repetitions, [&] {
    count = Problem(lattice.order, derivation.table).Count(counter);
  });
  ClosedSetCounter fresh;
  const Problem problem(lattice.order, derivation.table);
  problem.Count(fresh);
  const CounterStats& stats = fresh.Stats();
  // The enumeration of 2^n subsets cannot finish beyond 30 elements.
  const int limit = n <= 30 ? options.baselineSeconds : 0;
  double baseline =
      BaselineSeconds(limit, n, JobRules(derivation.table), static_cast<std::int64_t>(count));
  std::printf("%-34s n=%2d constraints %4d->%4d  count %20s  derive %8.3f ms  count %8.3f ms",
              label.c_str(), n, static_cast<int>(lattice.equations.size()),
              static_cast<int>(derivation.table.size()), DecimalText(count).c_str(), deriveMs,
              countMs);
  if (options.bySize) {
    std::vector<std::uint64_t> bySize;
    const double bySizeMs = MedianMilliseconds(options.repetitions, [&] {
      bySize = Problem(lattice.order, derivation.table).CountBySize(counter);
    });
    const bool agrees = std::accumulate(bySize.begin(), bySize.end(), SubsetCount{0}) == count;
    std::printf("  by size %8.3f ms (%5.2f times)%s", bySizeMs, bySizeMs / countMs,
                agrees ? "" : "  SIZES DISAGREE");
  }
  std::printf("  parts %llu hits %llu replaced %llu largest %d cache %.1f MB",
              static_cast<unsigned long long>(stats.partsCounted),
              static_cast<unsigned long long>(stats.cacheHits),
              static_cast<unsigned long long>(stats.cacheReplaced), stats.largestPart,
              static_cast<double>(stats.cacheBytes) / (1 << 20));
  if (stats.splitElements != 0)
    std::printf("  split %d in %llu", stats.splitElements,
                static_cast<unsigned long long>(stats.splitClasses));
  if (baseline == -2) {
    std::printf("  ENUMERATION DISAGREES");
  } else if (baseline >= 0) {
    std::printf("  enumeration %8.3f s  ratio %9.0f", baseline, baseline * 1000 / countMs);
  } else if (limit > 0) {
    std::printf("  enumeration > %d s", limit);
  }
  std::printf("\n");
  std::fflush(stdout);
  if (!options.cnfFolder.empty() && !cnfName.empty())
    WriteCnf(options.cnfFolder / (cnfName + ".cnf"), n, problem.Rules());
}

void MeasureFile(const std::filesystem::path& path, const BenchOptions& options) {
  InputFile file;
  if (!file.Open(path)) {
    std::printf("%s: cannot be opened\n", path.c_str());
    return;
  }
  NullSink sink;
  InputReader reader(file, sink);
  try {
    ReadRunHeader(reader);
    for (int number = 1;; ++number) {
      const ParsedJob job = ReadJob(reader, number == 1);
      const std::string numberText = std::to_string(number);
      MeasureJob(path.filename().string() + " job " + numberText, job.lattice, options,
                 path.stem().string() + "_job" + numberText);
      if (AtEndOfData(reader)) break;
    }
  } catch (const DataError& error) {
    std::printf("%s: %s\n", path.c_str(), error.message.c_str());
  }
}

// n elements in a chain, with the join and the meet.
PartialLattice SyntheticJob(int n) {
  PartialLattice lattice{
      std::string("abcdefghijklmnopqrstuvwxyzABCD", n), "+*f", Order::Identity(n), {}};
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y) lattice.order.Add(x, y);
  return lattice;
}

// Random join and meet equations with arguments among elements 1..argumentsUpTo and results
// among resultsFrom..n (counted from 1), three distinct elements each.
void AddRandomEquations(PartialLattice& lattice, int count, int argumentsUpTo, int resultsFrom,
                        std::mt19937& random) {
  std::uniform_int_distribution<int> argument(1, argumentsUpTo);
  std::uniform_int_distribution<int> result(resultsFrom, lattice.Size());
  while (static_cast<int>(lattice.equations.size()) < count) {
    int a = argument(random), b = argument(random), z = result(random);
    if (a == b || a == z || b == z) continue;
    const bool join = random() % 2 == 0;
    lattice.equations.push_back({static_cast<std::uint8_t>(std::min(a, b) - 1),
                                 static_cast<std::uint8_t>(std::max(a, b) - 1),
                                 static_cast<std::uint8_t>(z - 1), join ? joinSymbol : meetSymbol});
  }
}

void MeasureSyntheticJobs(const BenchOptions& options) {
  MeasureJob("chain of 30 elements", SyntheticJob(30), options);
  std::mt19937 random(2026);
  for (int count : {50, 200, 1000, 4096}) {
    PartialLattice lattice = SyntheticJob(30);
    AddRandomEquations(lattice, count, 30, 1, random);
    // Random equations need not fit any lattice; as equations of an extra operation they
    // are counted as they stand and the derivation leaves them alone.
    for (Equation& e : lattice.equations) e.operation = 'f';
    MeasureJob("random, n=30, " + std::to_string(count) + " constraints", lattice, options);
  }
}

// The derivation on a table filled to its 4096 slots: the arguments lie in 1..20 and the
// results in 21..30 over an antichain, so every rule is tried and nothing is derived.
void MeasureFullTableDerivation(int repetitions) {
  PartialLattice lattice = SyntheticJob(30);
  lattice.order = Order::Identity(30);
  std::mt19937 random(7);
  AddRandomEquations(lattice, maxConstraints, 20, 21, random);
  // One result per pair and kind, as in a lattice: a join or a meet with two values would
  // stop the derivation at its first step.
  for (Equation& e : lattice.equations) {
    const int operation = e.IsJoin() ? 1 : 2;
    e.result =
        static_cast<std::uint8_t>(20 + ((e.left + 1) * 7 + (e.right + 1) * 3 + operation) % 10);
  }
  Derivation derivation;
  double deriveMs = MedianMilliseconds(repetitions, [&] { derivation = Derive(lattice); });
  std::printf("%-34s n=30 constraints 4096->%4d  derive %8.3f ms\n", "full table derivation",
              static_cast<int>(derivation.table.size()), deriveMs);
}

}  // namespace

int main(int argc, char** argv) {
  BenchOptions options;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const bool valued = i + 1 < argc;
    if (valued && std::strcmp(argv[i], "--baseline-seconds") == 0) {
      options.baselineSeconds = std::atoi(argv[++i]);
    } else if (valued && std::strcmp(argv[i], "--repetitions") == 0) {
      options.repetitions = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--by-size") == 0) {
      options.bySize = true;
    } else if (valued && std::strcmp(argv[i], "--cnf") == 0) {
      options.cnfFolder = argv[++i];
      std::filesystem::create_directories(options.cnfFolder);
    } else {
      files.emplace_back(argv[i]);
    }
  }
  for (const auto& file : files) MeasureFile(file, options);
  MeasureSyntheticJobs(options);
  MeasureFullTableDerivation(options.repetitions);
  return 0;
}
