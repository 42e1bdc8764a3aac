// A job read as a lattice: its order checked as one, its typed joins and meets checked against
// it, and the joins and meets it lacks. mirelkon --lattice and mirelkon-lattice complete both
// go through here, so they refuse alike, in the same words and on the same lines.
#pragma once

#include <string>
#include <vector>

#include "core/lattice.h"
#include "core/partial_lattice.h"
#include "input/input_reader.h"

namespace mirelkon {

// The operation symbols with "+" or "*" added at their end where missing, so joins and meets
// can be written; the operations already there keep their numbers.
std::string WithJoinAndMeet(const std::string& operationSymbols);

// "not a lattice: a and b ...", naming the elements by their symbols.
std::string LatticeFaultText(const PartialLattice& lattice, const LatticeFault& fault);

// The join and meet of every incomparable pair x < y that the lattice's equations do not give
// (in either order of the arguments).
std::vector<Equation> MissingEquations(const PartialLattice& lattice, const LatticeTables& tables);

// The joins and meets the job lacks to state the lattice its edges draw. Ends the reading with
// a DataError when the order is no lattice (on the line of "\edges"), when a typed join or meet
// does not hold there (on its line), or when the job would need more than maxConstraints
// equations (on the line in hand).
std::vector<Equation> LatticeCompletion(const InputReader& reader, const ParsedJob& job);

// Adds the completion's equations to the job as if typed, on the line of its edges, with "+"
// and "*" among its operation symbols: the job as mirelkon reads a completed file.
void AddCompletion(ParsedJob& job, const std::vector<Equation>& added);

}  // namespace mirelkon
