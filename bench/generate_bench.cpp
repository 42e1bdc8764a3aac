// Benchmark of the lattice generator and the survey, as users run them.
//
// Each row is the median of RUNS runs of mirelkon-lattice, started by posix_spawn with its
// output to /dev/null: CPU seconds (user + system, of the process and all its threads), wall
// seconds, and lattices per CPU second, beside the published rate of orderly generation,
// 2-3 x 10^4 per core-second. Rows: `all N --count` for N from 10 to LARGEST (each beside the
// same run of an older build with --base, by turns, with the ratio of the rates); `all N` writing
// digraph6 and `all N --count -j 2` for LARGEST; `survey N -j 2` for N up to SURVEY. Then
// the balance of the parts (--part K/M) for M = 7, 100, 1000, 10^4 at LARGEST, measured in this
// process: the largest part over the average, by lattices and by CPU time, the walk above
// the split level included. Last the public route as the baseline: nauty-genposetg N-2 t (the
// posets of N-2 points, package `nauty`) piped into a lattice filter in this process, for N
// up to BASELINE, skipped where nauty-genposetg is missing.
//
//   build/bench/mirelkon_generate_bench PROGRAM [--largest N] [--survey N] [--baseline N]
//                                       [--runs RUNS] [--base PROGRAM]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/bits.h"
#include "generate/lattice_counts.h"
#include "generate/lattice_generator.h"

using namespace mirelkon;

extern char** environ;

namespace {

struct Measure {
  double cpu = 0, wall = 0;
  std::string output;
};

double Seconds(const timeval& t) {
  return t.tv_sec + t.tv_usec / 1e6;
}

// Runs the command with its standard output to `into` and answers its CPU and wall time.
Measure Spawn(std::vector<std::string> arguments, const char* into) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, into, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  Measure measure;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  measure.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  measure.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s ended with status %d\n", argv[0], status);
    std::exit(1);
  }
  return measure;
}

std::string ReadFile(const char* name) {
  std::string text;
  if (std::FILE* file = std::fopen(name, "rb")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
      text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

// The median of the runs by CPU time; the output of the last run is kept.
Measure Median(const std::vector<std::string>& arguments, int runs, const char* into) {
  std::vector<Measure> measures;
  for (int i = 0; i < runs; ++i) measures.push_back(Spawn(arguments, into));
  std::sort(measures.begin(), measures.end(),
            [](const Measure& a, const Measure& b) { return a.cpu < b.cpu; });
  Measure median = measures[measures.size() / 2];
  median.output = ReadFile(into);
  return median;
}

void Row(const std::string& label, int n, const Measure& m) {
  const double lattices = static_cast<double>(KnownLatticeCount(n));
  std::printf("%-34s %8.2f s CPU %8.2f s wall %12.0f lattices per CPU second\n", label.c_str(),
              m.cpu, m.wall, lattices / m.cpu);
  std::fflush(stdout);
}

// all N --count of the program, and of the base program where one is given, run by turns so
// that both see the same load; the rate's ratio follows the base's row.
Measure TimeCount(const std::string& program, int n, int runs, const char* scratch) {
  const Measure m = Median({program, "all", std::to_string(n), "--count"}, runs, scratch);
  if (m.output != std::to_string(KnownLatticeCount(n)) + "\n") {
    std::printf("%s all %d --count wrote %s: WRONG\n", program.c_str(), n, m.output.c_str());
    std::exit(1);
  }
  return m;
}

void TimeGeneration(const std::string& program, const std::string& base, int largest, int survey,
                    int runs) {
  const char* scratch = "/tmp/mirelkon_generate_bench.out";
  for (int n = 10; n <= largest; ++n) {
    const Measure m = TimeCount(program, n, runs, scratch);
    Row("all " + std::to_string(n) + " --count", n, m);
    if (base.empty()) continue;
    const Measure b = TimeCount(base, n, runs, scratch);
    Row("  base: all " + std::to_string(n) + " --count", n, b);
    std::printf("  %.2f times the base's rate\n", b.cpu / m.cpu);
  }
  const std::string size = std::to_string(largest);
  Row("all " + size + " > /dev/null (digraph6)", largest,
      Median({program, "all", size}, runs, "/dev/null"));
  Row("all " + size + " --count -j 2", largest,
      Median({program, "all", size, "--count", "-j", "2"}, runs, scratch));
  for (int n = 11; n <= survey; ++n)
    Row("survey " + std::to_string(n) + " -j 2", n,
        Median({program, "survey", std::to_string(n), "-j", "2"}, runs, "/dev/null"));
  std::remove(scratch);
}

double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

// One walk over everything with the split level of M parts, each lattice and the time since
// the last one credited to the part of its subtree; every part also pays the walk above the
// split level, timed by itself.
void MeasureBalance(int n) {
  for (const int parts : {7, 100, 1000, 10000}) {
    GenerationPlan plan = PlanGeneration(n, 0, parts, 1);
    double above = ThreadSeconds();
    if (plan.partLevel < n) {
      LatticeGenerator top(PlanGeneration(plan.partLevel, 0, 1, 1));
      top.Run();
    }
    above = ThreadSeconds() - above;
    plan.parts = 1;
    std::vector<double> lattices(parts, 0), seconds(parts, above);
    LatticeGenerator generator(plan);
    double last = ThreadSeconds();
    generator.Run([&](const GeneratedLattice&) {
      const double now = ThreadSeconds();
      const std::uint64_t part = generator.SubtreeNumber() % parts;
      ++lattices[part];
      seconds[part] += now - last;
      last = now;
    });
    const auto ratio = [&](const std::vector<double>& v) {
      double sum = 0;
      for (double x : v) sum += x;
      return *std::max_element(v.begin(), v.end()) / (sum / v.size());
    };
    double all = 0;
    for (double s : seconds) all += s;
    std::printf(
        "parts of %d elements, M = %5d: split at %2d elements; largest part %.2f x the "
        "average by lattices, %.2f x by CPU time (%.3f s; all parts %.1f s)\n",
        n, parts, plan.partLevel, ratio(lattices), ratio(seconds),
        *std::max_element(seconds.begin(), seconds.end()), all);
    std::fflush(stdout);
  }
}

// A lattice with a bottom and a top added to the poset whose Hasse diagram the digraph6 line
// gives, its points in topological order: every two points have a least common upper bound
// (the top when they have none) and a greatest common lower bound. Numbered along a linear
// extension, the least upper bound is the lowest-numbered one.
bool PosetGivesLattice(const char* line, std::size_t length) {
  const int m = line[1] - 63;
  Mask up[16], down[16];
  for (int x = 0; x < m; ++x) up[x] = down[x] = Bit(x);
  for (int bit = 0; bit < m * m; ++bit) {
    if (2 + static_cast<std::size_t>(bit / 6) >= length) return false;
    if ((line[2 + bit / 6] - 63) >> (5 - bit % 6) & 1) up[bit / m] |= Bit(bit % m);
  }
  for (int x = m - 1; x >= 0; --x)
    for (Mask above = up[x] & ~Bit(x); above != 0; above &= above - 1) up[x] |= up[Lowest(above)];
  for (int x = 0; x < m; ++x)
    for (Mask above = up[x]; above != 0; above &= above - 1) down[Lowest(above)] |= Bit(x);
  for (int x = 0; x < m; ++x)
    for (int y = x + 1; y < m; ++y) {
      const Mask upper = up[x] & up[y], lower = down[x] & down[y];
      if (upper != 0 && (upper & ~up[Lowest(upper)]) != 0) return false;
      if (lower != 0 && (lower & ~down[Highest(lower)]) != 0) return false;
    }
  return true;
}

void TimeBaseline(int largest, int runs) {
  for (int n = 10; n <= largest; ++n) {
    std::vector<double> cpu;
    std::uint64_t lattices = 0;
    double wall = 0;
    for (int run = 0; run < runs; ++run) {
      const std::string command = "nauty-genposetg " + std::to_string(n - 2) + " t q 2>/dev/null";
      rusage before{}, after{};
      getrusage(RUSAGE_CHILDREN, &before);
      const double self = ThreadSeconds();
      const auto start = std::chrono::steady_clock::now();
      std::FILE* posets = popen(command.c_str(), "r");
      lattices = 0;
      char* line = nullptr;
      std::size_t capacity = 0;
      for (ssize_t length; (length = getline(&line, &capacity, posets)) > 0;)
        lattices += PosetGivesLattice(line, length);
      std::free(line);
      if (pclose(posets) != 0) {
        std::printf("nauty-genposetg is not installed (Debian package nauty): no baseline\n");
        return;
      }
      getrusage(RUSAGE_CHILDREN, &after);
      wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      cpu.push_back(ThreadSeconds() - self + Seconds(after.ru_utime) - Seconds(before.ru_utime) +
                    Seconds(after.ru_stime) - Seconds(before.ru_stime));
    }
    std::sort(cpu.begin(), cpu.end());
    const Measure m{cpu[cpu.size() / 2], wall, {}};
    Row("baseline genposetg " + std::to_string(n - 2) + " | filter", n, m);
    if (lattices != KnownLatticeCount(n))
      std::printf("  the filter found %llu: WRONG\n", static_cast<unsigned long long>(lattices));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s PROGRAM [--largest N] [--survey N] [--baseline N] "
                 "[--runs RUNS] [--base PROGRAM]\n",
                 argv[0]);
    return 1;
  }
  int largest = 13, survey = 12, baseline = 12, runs = 3;
  std::string base;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--base") == 0) base = argv[i + 1];
    const int value = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--largest") == 0) largest = std::clamp(value, 10, maxGeneratedSize);
    if (std::strcmp(argv[i], "--survey") == 0) survey = value;
    if (std::strcmp(argv[i], "--baseline") == 0) baseline = std::min(value, 18);
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(value, 1);
  }
  TimeGeneration(argv[1], base, largest, survey, runs);
  MeasureBalance(largest);
  TimeBaseline(baseline, runs);
}
