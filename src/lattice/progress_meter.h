// The progress line of a long generation on standard error: lattices done, their rate, the
// time elapsed and an estimate of the time left. It appears only when standard error is a
// terminal and the run has lasted a few seconds, and it is rewritten in place and erased at
// the end.
//
// What is left is estimated from the published number of lattices of the size (known for
// every size the generator takes), divided among the parts. The walk's position in the tree
// was tried first, as if sibling subtrees were of equal size; it said 70% when a quarter of
// the lattices of 14 elements were done, the subtrees differing a hundredfold.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace mirelkon {

class ProgressMeter {
 public:
  // `expected`: the lattices the run should find, about.
  ProgressMeter(std::string what, double expected);
  ~ProgressMeter();
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  // Shows the state at most once a second.
  void Show(std::uint64_t lattices);

 private:
  std::string what_;
  double expected_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_, lastShown_;
  std::size_t shownLength_ = 0;
};

}  // namespace mirelkon
