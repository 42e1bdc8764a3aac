// Where reading an input file reports as it goes: the echo of what it reads, print lines and
// the verbose listings (text for the screen, the result file or both), and warnings about
// lines of the file. A program that wants none of the echo drops it.
#pragma once

#include <span>
#include <string_view>

#include "core/partial_lattice.h"

namespace mirelkon {

enum class Output { screen, result, both };

class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void Write(Output to, std::string_view text) = 0;
  virtual void EndLine(Output to) = 0;
  // What the input language accepts but a user almost never means, on an input line.
  virtual void Warn(int line, std::string_view text) = 0;

  // The verbose listings of what was read, on both outputs: the strict order, and equations
  // in their written form. Reading leaves their layout to the report.
  virtual void ListOrder(const PartialLattice&) {}
  virtual void ListEquations(const PartialLattice&, std::span<const Equation>) {}

  void WriteLine(Output to, std::string_view text = {}) {
    Write(to, text);
    EndLine(to);
  }
};

// A sink that keeps nothing, for a reading nobody watches.
class NullSink : public ReportSink {
 public:
  void Write(Output, std::string_view) override {}
  void EndLine(Output) override {}
  void Warn(int, std::string_view) override {}
};

}  // namespace mirelkon
