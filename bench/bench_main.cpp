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

#include "core/count.h"
#include "core/derivation.h"
#include "count_test_support.h"
#include "input/data_error.h"
#include "input/input_reader.h"

namespace {

constexpr int repetitions = 7;

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

// Times the derivation and the count of the partial lattice and prints one row.
void MeasureJob(const std::string& label, const PartialLattice& lattice, int baselineLimit) {
  Derivation derivation;
  double deriveMs = MedianMilliseconds([&] { derivation = Derive(lattice); });
  ClosedSetCounter counter;
  SubsetCount count = 0;
  double countMs = MedianMilliseconds(
      [&] { count = CountSubuniverses(counter, lattice.order, derivation.table); });
  // The enumeration of 2^n subsets cannot finish beyond 30 elements.
  const int n = lattice.Size();
  const int limit = n <= 30 ? baselineLimit : 0;
  double baseline =
      BaselineSeconds(limit, n, JobRules(derivation.table), static_cast<std::int64_t>(count));
  std::printf("%-34s n=%2d constraints %4d->%4d  count %20s  derive %8.3f ms  count %8.3f ms",
              label.c_str(), n, static_cast<int>(lattice.equations.size()),
              static_cast<int>(derivation.table.size()), DecimalText(count).c_str(), deriveMs,
              countMs);
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
      MeasureJob(path.filename().string() + " job " + std::to_string(number), job.lattice,
                 baselineLimit);
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

void MeasureSyntheticJobs(int baselineLimit) {
  MeasureJob("chain of 30 elements", SyntheticJob(30), baselineLimit);
  std::mt19937 random(2026);
  for (int count : {50, 200, 1000, 4096}) {
    PartialLattice lattice = SyntheticJob(30);
    AddRandomEquations(lattice, count, 30, 1, random);
    // Random equations need not fit any lattice; as equations of an extra operation they
    // are counted as they stand and the derivation leaves them alone.
    for (Equation& e : lattice.equations) e.operation = 'f';
    MeasureJob("random, n=30, " + std::to_string(count) + " constraints", lattice, baselineLimit);
  }
}

// The derivation on a table filled to its 4096 slots: the arguments lie in 1..20 and the
// results in 21..30 over an antichain, so every rule is tried and nothing is derived.
void MeasureFullTableDerivation() {
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
  double deriveMs = MedianMilliseconds([&] { derivation = Derive(lattice); });
  std::printf("%-34s n=30 constraints 4096->%4d  derive %8.3f ms\n", "full table derivation",
              static_cast<int>(derivation.table.size()), deriveMs);
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
  for (const auto& file : files) MeasureFile(file, baselineLimit);
  MeasureSyntheticJobs(baselineLimit);
  MeasureFullTableDerivation();
  return 0;
}
