// The verbose listings of a job: its strict order, and lists of equations in their written
// form, nine to a line as the input files write them.
#pragma once

#include <span>

#include "core/partial_lattice.h"
#include "input/input_writer.h"
#include "input/report_sink.h"

namespace mirelkon {

// Writes each equation in its written form followed by a blank, with a line end after every
// ninth, and then "." and a line end, to both outputs.
void ListEquations(ReportSink& sink, const PartialLattice& lattice,
                   std::span<const Equation> equations);

// Lists every pair x, y with x below y and x != y, by rows of the order, 14 to a line.
void ListStrictOrder(ReportSink& sink, const PartialLattice& lattice);

}  // namespace mirelkon
