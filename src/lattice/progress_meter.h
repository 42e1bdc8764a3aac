// The progress line of a long generation on standard error: lattices done, their rate, the
// time elapsed and an estimate of the share of the tree walked and of the time left. It
// appears only when standard error is a terminal and the run has lasted a few seconds, and
// it is rewritten in place and erased at the end.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class ProgressMeter {
 public:
  explicit ProgressMeter(std::string what);
  ~ProgressMeter();
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  // Shows the state at most once a second; `treeShare` is from 0 to 1.
  void Show(std::uint64_t lattices, double treeShare);

 private:
  std::string what_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_, lastShown_;
  std::size_t shownLength_ = 0;
};
