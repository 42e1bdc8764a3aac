// Writing the progress line.
#include "lattice/progress_meter.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr std::chrono::seconds quietStart{3};
constexpr std::chrono::seconds interval{1};

std::string Clock(double seconds) {
  const long long s = static_cast<long long>(seconds);
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  }
  return text;
}

}  // namespace

ProgressMeter::ProgressMeter(std::string what)
    : what_(std::move(what)),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      lastShown_(start_) {}

ProgressMeter::~ProgressMeter() {
  if (shownLength_ > 0) std::fprintf(stderr, "\r%*s\r", static_cast<int>(shownLength_), "");
}

void ProgressMeter::Show(std::uint64_t lattices, double treeShare) {
  const auto now = std::chrono::steady_clock::now();
  if (!terminal_ || now - start_ < quietStart || now - lastShown_ < interval) return;
  lastShown_ = now;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  char line[256];
  int length = std::snprintf(line, sizeof line, "%s: %llu lattices, %.0f per second, %s elapsed",
                             what_.c_str(), static_cast<unsigned long long>(lattices),
                             lattices / elapsed, Clock(elapsed).c_str());
  if (treeShare > 0 && length > 0 && length < static_cast<int>(sizeof line)) {
    std::snprintf(line + length, sizeof line - length, "; about %.0f%% of the tree, %s left",
                  100 * treeShare, Clock(elapsed * (1 - treeShare) / treeShare).c_str());
  }
  const std::string text = line;
  std::fprintf(stderr, "\r%s%*s", text.c_str(),
               static_cast<int>(shownLength_ > text.size() ? shownLength_ - text.size() : 0), "");
  std::fflush(stderr);
  shownLength_ = std::max(shownLength_, text.size());
}
