// Reading an input file: the run's settings from its header, then one job after another, each
// a partial lattice with the lines it was read from. The parsers share one InputReader: the
// file, where the report of the reading goes, and the line and the job in hand. Every mistake
// in the file ends the reading with a DataError on the line last read.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/limits.h"
#include "core/partial_lattice.h"
#include "core/slot_index.h"
#include "input/input_file.h"
#include "input/report_sink.h"

namespace mirelkon {

constexpr int maxSubtrahend = 20;

// Set once by the header of the input file, for all its jobs.
struct RunSettings {
  bool verbose = false;
  int subtrahend = 0;  // 0..maxSubtrahend
  std::string operationSymbols;
};

// An edge as given: element lower lies below element upper.
struct Edge {
  std::uint8_t lower;
  std::uint8_t upper;
};

// The legend: comment lines that begin with "% legend:" and go on with items "S=NAME", the
// element symbol S and the name of the element it stands for. They stay comments for every
// other purpose; mirelkon-lattice writes them, and the JSON records carry them.
constexpr std::string_view legendMarker = "% legend:";

struct LegendEntry {
  char symbol;
  std::string name;  // held to 255 bytes, cut at a character
  int line = 0;      // of the input, where read
};

struct ParsedJob {
  std::string name;
  PartialLattice lattice;           // the order closed after the edges, the equations as typed
  std::vector<int> equationLines;   // the input line of each typed equation
  std::vector<Edge> edges;          // in input order: the order loses them once closed
  int edgesLine = 0;                // input line of "\edges"
  std::vector<LegendEntry> legend;  // from the legend lines in the job and before it
  std::string impossible;           // the first typed join or meet no lattice satisfies
};

struct InputReader {
  InputReader(InputFile& inputFile, ReportSink& reportSink) : file(inputFile), sink(reportSink) {}

  InputFile& file;
  ReportSink& sink;
  RunSettings settings;
  std::string line;           // the logical line in hand
  int leadingBlankCount = 0;  // blanks that line lost at its front
  bool inEdgesSection = false;
  bool inConstraintsSection = false;
  // Set by a caller that refuses every job that is no lattice: a cycle is then refused in one
  // line by the lattice check after the edges, not warned about as well.
  bool latticeRequired = false;
  // Read since the last job was handed out: one name per symbol, so that legend lines without
  // end take no more memory than 256 names; the names given again are only counted.
  std::vector<LegendEntry> legend;
  std::bitset<256> legendNamed;
  int legendRepeated = 0;                // names of symbols named already, ignored
  int legendRepeatedLine = 0;            // of the first of them
  ParsedJob job;                         // the job being read
  SlotIndex typedPairs{maxConstraints};  // the job's equations by operation and arguments

  // Ends the reading with the message (cut to 255 characters), on the line last read; the
  // detail says the specific thing on standard error.
  [[noreturn]] void Fail(std::string_view message, std::string detail = {}) const;
  // A warning about the given line, or the line last read; its text is the pieces joined.
  void WarnAt(int lineNumber, std::initializer_list<std::string_view> pieces) const;
  void Warn(std::initializer_list<std::string_view> pieces) const {
    WarnAt(file.LineNumber(), pieces);
  }
};

// Reads the three header commands into the settings and leaves the "\beginjob" line in hand.
void ReadRunHeader(InputReader& reader);

// Reads one job from the line in hand through "\endofjob", echoing it; the equations as read,
// not yet normalised or derived. A job is followed by another or by "\enddata".
ParsedJob ReadJob(InputReader& reader, bool firstJob);

// After a job: reads the next logical line and answers whether it ends the data.
bool AtEndOfData(InputReader& reader);

}  // namespace mirelkon
