// The lattice file: lattices drawn by their cover pairs "lower<upper" between element names
// (any characters but blanks, "<" and "%", up to 255 of them), any number of pairs to a
// line, "%" starting a comment, lattices parted by a blank line or a line "---"; or a lattice
// as one line of digraph6 (its Hasse diagram, an arc from each element to each element
// covering it), its elements named 0, 1, ... as mirelkon-lattice all numbers them. Each
// lattice is read and checked whole before it is handed on, and a file that does not draw
// lattices is refused on the line at fault (DataError), with memory bounded by the element
// limit whatever the file holds.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "core/wide_lattice.h"

namespace mirelkon {

struct DrawnLattice {
  int line = 0;  // where it starts
  std::vector<std::string> names;
  WideOrder order;  // closed
  WideLatticeTables tables;

  int Size() const { return order.Size(); }
};

class LatticeFileReader {
 public:
  explicit LatticeFileReader(std::istream& in) : in_(in) {}

  // Reads the next lattice; false at the end of the file. Throws a DataError on the first
  // fault, and when the file ends without a single lattice.
  bool Next(DrawnLattice& lattice);

  int LineNumber() const { return lineNumber_; }

 private:
  bool ReadLine();

  std::istream& in_;
  std::string line_;
  int lineNumber_ = 0;
  bool lineHeld_ = false;  // line_ is read but belongs to the next lattice
  int lattices_ = 0;
};

// The lattice as a lattice file: its cover pairs, those of each lower element on one line,
// bottom first; a lattice of one element as digraph6. Names that a lattice file cannot hold
// are written with "[" and "]" for "<" and ">", "_" for a blank or "%", and "_" before an
// empty name or one that would read as a separator or digraph6; where names would then
// repeat, the elements are named by their numbers instead.
std::string LatticeFileText(const std::vector<std::string>& names, const WideOrder& order);

// Whether a file starting with this text is a lattice file: its first line that holds more than
// blanks and a comment is a line of cover pairs or of digraph6. An input file starts with free
// text or its header.
bool IsLatticeFileText(const std::string& start);

}  // namespace mirelkon
