// Writing the progress line.
#include "lattice/progress_meter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace mirelkon {

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

ProgressMeter::ProgressMeter(std::string what, double expected)
    : what_(std::move(what)),
      expected_(expected),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      lastShown_(start_) {}

ProgressMeter::~ProgressMeter() {
  if (shownLength_ > 0) std::fprintf(stderr, "\r%*s\r", static_cast<int>(shownLength_), "");
}

void ProgressMeter::Show(std::uint64_t lattices) {
  const auto now = std::chrono::steady_clock::now();
  if (!terminal_ || now - start_ < quietStart || now - lastShown_ < interval) return;
  lastShown_ = now;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  const double share = std::min(lattices / expected_, 1.0);
  char line[256];
  std::snprintf(line, sizeof line, "%s: %llu lattices (about %.0f%%), %.0f per second, %s elapsed",
                what_.c_str(), static_cast<unsigned long long>(lattices), 100 * share,
                lattices / elapsed, Clock(elapsed).c_str());
  std::string text = line;
  if (share > 0) text += ", about " + Clock(elapsed * (1 - share) / share) + " left";
  std::fprintf(stderr, "\r%s%*s", text.c_str(),
               static_cast<int>(shownLength_ > text.size() ? shownLength_ - text.size() : 0), "");
  std::fflush(stderr);
  shownLength_ = std::max(shownLength_, text.size());
}

}  // namespace mirelkon
