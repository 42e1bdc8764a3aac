// Times whole runs of the program, from process start to exit, and reports their peak memory.
// Each input file is copied into a fresh temporary folder and run there RUNS times as
// `PROGRAM FOLDER/FILE` with the keyboard at /dev/null; a row gives the median and the
// largest wall-clock time, the largest peak resident set and the counts the run reported.
// The program is started by posix_spawn, so its figures include no copy of this process.
//
//   build/bench/mirelkon_run_timer [--runs RUNS] PROGRAM FILE...
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
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run {
  double milliseconds;
  long peakKilobytes;
  std::string screen;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Run RunOnce(const std::string& program, const fs::path& input) {
  char pattern[] = "/tmp/mirelkon_run_XXXXXX";
  const fs::path folder = mkdtemp(pattern);
  const fs::path copy = folder / input.filename(), screen = folder / "screen";
  fs::copy_file(input, copy);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, screen.c_str(), O_WRONLY | O_CREAT, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::string copyName = copy.string();
  std::string programName = program;
  char* arguments[] = {programName.data(), copyName.data(), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  Run run{};
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.peakKilobytes = usage.ru_maxrss;
  }
  run.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  run.screen = ReadAll(screen);
  fs::remove_all(folder);
  return run;
}

std::string Counts(const std::string& screen) {
  static const std::regex result(R"(\|Sub\(L\)\|=(\d+))");
  std::string counts;
  for (std::sregex_iterator it(screen.begin(), screen.end(), result), end; it != end; ++it) {
    if (!counts.empty()) counts += ' ';
    counts += (*it)[1].str();
  }
  return counts;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7, first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
    runs = std::max(1, std::atoi(argv[2]));
    first = 3;
  }
  if (argc < first + 2) {
    std::fprintf(stderr, "usage: %s [--runs RUNS] PROGRAM FILE...\n", argv[0]);
    return 2;
  }
  const std::string program = fs::absolute(argv[first]).string();
  std::printf("%-34s %10s %9s %12s  %s\n", "file", "median ms", "max ms", "peak RSS MB", "counts");
  for (int i = first + 1; i < argc; ++i) {
    std::vector<double> times;
    long peak = 0;
    std::string counts;
    for (int r = 0; r < runs; ++r) {
      Run run = RunOnce(program, argv[i]);
      times.push_back(run.milliseconds);
      peak = std::max(peak, run.peakKilobytes);
      counts = Counts(run.screen);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-34s %10.1f %9.1f %12.1f  %s\n", fs::path(argv[i]).filename().c_str(),
                times[times.size() / 2], times.back(), peak / 1024.0, counts.c_str());
    std::fflush(stdout);
  }
  return 0;
}
