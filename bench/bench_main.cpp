// Benchmark of the two hot steps of a job, the derivation and the count, on the input files
// given (read with the program's own input code) and on synthetic jobs: the 30-element
// chain, random 30-element jobs with up to 4096 constraints, and a full 4096-slot table for
// the derivation. Each figure is the median of R runs (--repetitions, default 7), followed by
// the counter's statistics. With --baseline-seconds S (default 60; 0 turns it off) the
// literal enumeration of all 2^n subsets runs on each job of at most 30 elements in a child
// process and is reported where it finishes in S. With --cnf FOLDER each job's derived rules
// are also written there as a DIMACS CNF file (one clause "not l or not r or z" per rule),
// so that general model counters can be timed on the very same rules.
//
//   build/bench/mirelkon_bench [--baseline-seconds S] [--repetitions R] [--cnf FOLDER]
//                              [input files...]
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "constraints/derivation.h"
#include "count_test_support.h"
#include "input/input_file.h"
#include "input/job_sequence.h"
#include "input/line_reader.h"
#include "input/run_header.h"
#include "model/count.h"
#include "model/job_model.h"
#include "session/fatal_error.h"
#include "session/report.h"

namespace {

// What the command line asks for.
struct BenchOptions {
  int baselineSeconds = 60;
  int repetitions = 7;
  std::filesystem::path cnfFolder;
};

struct TableSnapshot {
  int count;
  std::vector<ConstraintRecord> records;
  std::vector<ConstraintKind> kinds;
};

TableSnapshot TakeSnapshot() {
  int n = job.constraintCount;
  return {n,
          {job.constraintTable + 1, job.constraintTable + 1 + n},
          {job.constraintKinds + 1, job.constraintKinds + 1 + n}};
}

void Restore(const TableSnapshot& s) {
  job.constraintCount = job.initialConstraintCount = s.count;
  std::copy(s.records.begin(), s.records.end(), job.constraintTable + 1);
  std::copy(s.kinds.begin(), s.kinds.end(), job.constraintKinds + 1);
}

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
double BaselineSeconds(int limitSeconds, std::int64_t expected) {
  if (limitSeconds <= 0) return -1;
  int channel[2];
  if (pipe(channel) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    auto start = std::chrono::steady_clock::now();
    std::int64_t count = EnumeratedCount();
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

// The job's rules as DIMACS CNF: element e is variable e + 1, a rule (l, r, z) the clause
// "not l or not r or z", a rule with equal premises "not l or z"; rules whose result is a
// premise exclude nothing and are left out. Every element is a variable, so free elements
// double the model count as they double the count of closed subsets.
void WriteCnf(const std::filesystem::path& path) {
  std::vector<Rule> clauses;
  for (const Rule& r : CounterRules())
    if (r.result != r.left && r.result != r.right) clauses.push_back(r);
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    std::printf("%s: cannot be written\n", path.c_str());
    return;
  }
  std::fprintf(out, "p cnf %d %zu\n", job.latticeSize, clauses.size());
  for (const Rule& r : clauses) {
    std::fprintf(out, "-%d ", r.left + 1);
    if (r.right != r.left) std::fprintf(out, "-%d ", r.right + 1);
    std::fprintf(out, "%d 0\n", r.result + 1);
  }
  std::fclose(out);
}

// Times the derivation and the count of the job now in the tables and prints one row: the
// figures, then what the counter did in one more count of its own.
void MeasureJob(const std::string& label, const BenchOptions& options) {
  TableSnapshot initial = TakeSnapshot();
  double deriveMs = MedianMilliseconds(options.repetitions, [&] {
    Restore(initial);
    DeriveConstraints();
  });
  SubsetCount count = 0;
  double countMs = MedianMilliseconds(options.repetitions, [&] { count = CountedSubuniverses(); });
  ClosedSetCounter counter;
  counter.Count(job.latticeSize, CounterRules());
  const CounterStats& stats = counter.Stats();
  // The enumeration of 2^n subsets cannot finish beyond 30 elements.
  const int limit = job.latticeSize <= 30 ? options.baselineSeconds : 0;
  double baseline = BaselineSeconds(limit, static_cast<std::int64_t>(count));
  std::printf("%-34s n=%2d constraints %4d->%4d  count %20s  derive %8.3f ms  count %8.3f ms",
              label.c_str(), job.latticeSize, initial.count, job.constraintCount,
              DecimalText(count).c_str(), deriveMs, countMs);
  std::printf("  parts %llu hits %llu replaced %llu largest %d cache %.1f MB",
              static_cast<unsigned long long>(stats.partsCounted),
              static_cast<unsigned long long>(stats.cacheHits),
              static_cast<unsigned long long>(stats.cacheReplaced), stats.largestPart,
              static_cast<double>(stats.cacheBytes) / (1 << 20));
  if (baseline == -2) {
    std::printf("  ENUMERATION DISAGREES");
  } else if (baseline >= 0) {
    std::printf("  enumeration %8.3f s  ratio %9.0f", baseline, baseline * 1000 / countMs);
  } else if (limit > 0) {
    std::printf("  enumeration > %d s", limit);
  }
  std::printf("\n");
  std::fflush(stdout);
}

void MeasureFile(const std::filesystem::path& path, const BenchOptions& options) {
  AttachInputFile(std::fopen(path.c_str(), "rb"));
  if (input.file == nullptr) {
    std::printf("%s: cannot be opened\n", path.c_str());
    return;
  }
  std::string line;
  try {
    ReadRunHeader(line);
    for (int number = 1;; ++number) {
      ReadJob(line, number == 1);
      const std::string numberText = std::to_string(number);
      MeasureJob(path.filename().string() + " job " + numberText, options);
      if (!options.cnfFolder.empty())
        WriteCnf(options.cnfFolder / (path.stem().string() + "_job" + numberText + ".cnf"));
      ReadLogicalLine(line);
      if (line.find("\\enddata") != std::string::npos) break;
    }
  } catch (const DataError& error) {
    std::printf("%s: %s\n", path.c_str(), error.message.c_str());
  }
  CloseInputFile();
}

void SetSyntheticJob(int n) {
  job.latticeSize = n;
  job.elementSymbols.assign("abcdefghijklmnopqrstuvwxyzABCD", n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) job.orderMatrix[i][j] = i <= j;
  job.constraintCount = 0;
}

// Random join and meet constraints with arguments among elements 1..argumentsUpTo and
// results among resultsFrom..n, three distinct elements each.
void AddRandomConstraints(int count, int argumentsUpTo, int resultsFrom, std::mt19937& random) {
  std::uniform_int_distribution<int> argument(1, argumentsUpTo);
  std::uniform_int_distribution<int> result(resultsFrom, job.latticeSize);
  while (job.constraintCount < count) {
    int a = argument(random), b = argument(random), z = result(random);
    if (a == b || a == z || b == z) continue;
    int k = ++job.constraintCount;
    bool join = random() % 2 == 0;
    job.constraintTable[k] = {
        static_cast<std::uint8_t>(std::min(a, b)), static_cast<std::uint8_t>(std::max(a, b)),
        static_cast<std::uint8_t>(z), static_cast<std::uint8_t>(join ? 1 : 2)};
    job.constraintKinds[k] = {join, !join};
  }
  job.initialConstraintCount = job.constraintCount;
}

void MeasureSyntheticJobs(const BenchOptions& options) {
  SetSyntheticJob(30);
  MeasureJob("chain of 30 elements", options);
  std::mt19937 random(2026);
  for (int count : {50, 200, 1000, 4096}) {
    SetSyntheticJob(30);
    AddRandomConstraints(count, 30, 1, random);
    // Random equations need not fit any lattice; as equations of an extra operation they
    // are counted as they stand and the derivation leaves them alone.
    for (int k = 1; k <= count; ++k) job.constraintKinds[k] = {false, false};
    MeasureJob("random, n=30, " + std::to_string(count) + " constraints", options);
  }
}

// The derivation on a table filled to its 4096 slots: the arguments lie in 1..20 and the
// results in 21..30 over an antichain, so every rule is tried and nothing is derived.
void MeasureFullTableDerivation(int repetitions) {
  SetSyntheticJob(30);
  for (int i = 1; i <= 30; ++i)
    for (int j = 1; j <= 30; ++j) job.orderMatrix[i][j] = i == j;
  std::mt19937 random(7);
  AddRandomConstraints(maxConstraints, 20, 21, random);
  // One result per pair and kind, as in a lattice: a join or a meet with two values would
  // stop the derivation at its first step.
  for (int k = 1; k <= maxConstraints; ++k) {
    ConstraintRecord& c = job.constraintTable[k];
    c.result = static_cast<std::uint8_t>(21 + (c.left * 7 + c.right * 3 + c.operation) % 10);
  }
  TableSnapshot initial = TakeSnapshot();
  double deriveMs = MedianMilliseconds(repetitions, [&] {
    Restore(initial);
    DeriveConstraints();
  });
  std::printf("%-34s n=30 constraints 4096->%4d  derive %8.3f ms\n", "full table derivation",
              job.constraintCount, deriveMs);
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
    } else if (valued && std::strcmp(argv[i], "--cnf") == 0) {
      options.cnfFolder = argv[++i];
      std::filesystem::create_directories(options.cnfFolder);
    } else {
      files.emplace_back(argv[i]);
    }
  }
  std::FILE* sink = std::fopen("/dev/null", "wb");
  report.screen = sink;
  report.resultFile = sink;
  report.diagnostics = sink;
  run.operationSymbols = "+*";
  for (const auto& file : files) MeasureFile(file, options);
  MeasureSyntheticJobs(options);
  MeasureFullTableDerivation(options.repetitions);
  return 0;
}
