// Benchmark of the two hot steps of a job, the derivation and the count, on the input files
// given (read with the program's own input code) and on synthetic jobs: the 30-element
// chain, random 30-element jobs with up to 4096 constraints, and a full 4096-slot table for
// the derivation. Each figure is the median of several runs. With --baseline-seconds S
// (default 60; 0 turns it off) the literal enumeration of all 2^n subsets runs on each job of
// at most 30 elements in a child process and is reported where it finishes in S.
//
//   build/bench/mirelkon_bench [--baseline-seconds S] [input files...]
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

constexpr int repetitions = 7;

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
double MedianMilliseconds(Step step) {
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

// Times the derivation and the count of the job now in the tables and prints one row.
void MeasureJob(const std::string& label, int baselineLimit) {
  TableSnapshot initial = TakeSnapshot();
  double deriveMs = MedianMilliseconds([&] {
    Restore(initial);
    DeriveConstraints();
  });
  SubsetCount count = 0;
  double countMs = MedianMilliseconds([&] { count = CountedSubuniverses(); });
  // The enumeration of 2^n subsets cannot finish beyond 30 elements.
  const int limit = job.latticeSize <= 30 ? baselineLimit : 0;
  double baseline = BaselineSeconds(limit, static_cast<std::int64_t>(count));
  std::printf("%-34s n=%2d constraints %4d->%4d  count %20s  derive %8.3f ms  count %8.3f ms",
              label.c_str(), job.latticeSize, initial.count, job.constraintCount,
              DecimalText(count).c_str(), deriveMs, countMs);
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

void MeasureFile(const std::filesystem::path& path, int baselineLimit) {
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
      MeasureJob(path.filename().string() + " job " + std::to_string(number), baselineLimit);
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

void MeasureSyntheticJobs(int baselineLimit) {
  SetSyntheticJob(30);
  MeasureJob("chain of 30 elements", baselineLimit);
  std::mt19937 random(2026);
  for (int count : {50, 200, 1000, 4096}) {
    SetSyntheticJob(30);
    AddRandomConstraints(count, 30, 1, random);
    // Random equations need not fit any lattice; as equations of an extra operation they
    // are counted as they stand and the derivation leaves them alone.
    for (int k = 1; k <= count; ++k) job.constraintKinds[k] = {false, false};
    MeasureJob("random, n=30, " + std::to_string(count) + " constraints", baselineLimit);
  }
}

// The derivation on a table filled to its 4096 slots: the arguments lie in 1..20 and the
// results in 21..30 over an antichain, so every rule is tried and nothing is derived.
void MeasureFullTableDerivation() {
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
  double deriveMs = MedianMilliseconds([&] {
    Restore(initial);
    DeriveConstraints();
  });
  std::printf("%-34s n=30 constraints 4096->%4d  derive %8.3f ms\n", "full table derivation",
              job.constraintCount, deriveMs);
}

}  // namespace

int main(int argc, char** argv) {
  int baselineLimit = 60;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--baseline-seconds") == 0 && i + 1 < argc) {
      baselineLimit = std::atoi(argv[++i]);
    } else {
      files.emplace_back(argv[i]);
    }
  }
  std::FILE* sink = std::fopen("/dev/null", "wb");
  report.screen = sink;
  report.resultFile = sink;
  report.diagnostics = sink;
  run.operationSymbols = "+*";
  for (const auto& file : files) MeasureFile(file, baselineLimit);
  MeasureSyntheticJobs(baselineLimit);
  MeasureFullTableDerivation();
  return 0;
}
