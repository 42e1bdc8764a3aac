// The sequence of jobs and the sections of each job.
#include <string>

#include "input/constraint_line.h"
#include "input/edge_line.h"
#include "input/input_reader.h"
#include "input/job_opening.h"
#include "input/line_reader.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

void StartJob(InputReader& reader, bool firstJob) {
  reader.sink.WriteLine(Output::both);
  reader.inEdgesSection = false;
  reader.inConstraintsSection = false;
  if (reader.file.Exhausted())
    reader.Fail("No more jobs, the program terminates.",
                "the file ends without \"\\enddata\" after the last \"\\endofjob\"");
  if (firstJob && Contains(reader.line, "\\enddata"))
    reader.Fail("No more jobs, the program terminates.",
                "\"\\enddata\" stands on the line of \"\\beginjob\": the data end before the "
                "first job");
  SkipToCommand(reader, "\\name", "(code4idG) \"\\name\" is missing from input file");
}

// Where an item section stops short: on its closing command, or within it.
std::string EndOfFileDetail(const std::string& line, std::string_view closingCommand) {
  const std::string closing(closingCommand);
  if (closing == "\\endofjob") {
    return Contains(line, closing)
               ? "the file ends on \\endofjob: \"\\enddata\" must follow the last job"
               : "the file ends within the constraints: \"\\endofjob\" and \"\\enddata\" must "
                 "follow";
  }
  return Contains(line, closing)
             ? "the file ends on \\constraints: the constraints, \"\\endofjob\" and "
               "\"\\enddata\" must follow"
             : "the file ends within the edges: \"\\constraints\", \"\\endofjob\" and "
               "\"\\enddata\" must follow";
}

// Hands every logical line up to the one holding the closing command to the parser; that
// line, like every item line, must not be the last line of the file.
void ReadItemLines(InputReader& reader, std::string_view closingCommand,
                   std::string_view missingMessage, void (*parse)(InputReader&)) {
  for (;;) {
    ReadLogicalLine(reader);
    if (reader.file.Exhausted())
      reader.Fail(missingMessage, EndOfFileDetail(reader.line, closingCommand));
    if (Contains(reader.line, closingCommand)) {
      CheckCommandStanding(reader, closingCommand);
      return;
    }
    parse(reader);
  }
}

void ReadEdges(InputReader& reader) {
  FailIfExhausted(reader, "(codeChTs) \"\\edges\" is missing from input file");
  reader.sink.WriteLine(Output::both, " Edges:");
  ReadLogicalLine(reader);
  if (!Contains(reader.line, "\\edges"))
    reader.Fail("(codeRtPx) \"\\edges\" is missing from input file");
  reader.job.edgesLine = reader.file.LineNumber();
  CheckCommandStanding(reader, "\\edges");
  reader.inEdgesSection = true;
  ReadItemLines(reader, "\\constraints", "(codXkY) \"\\edges\" was expected", ParseEdgeLine);
  reader.inEdgesSection = false;
  reader.job.lattice.order.Close();
  if (reader.settings.verbose) reader.sink.ListOrder(reader.job.lattice);
}

void ReadConstraints(InputReader& reader) {
  reader.sink.WriteLine(Output::both, "-- Constraints:");
  reader.typedPairs.Clear();
  reader.inConstraintsSection = true;
  ReadItemLines(reader, "\\endofjob", "(codezBnY) \"\\constraints\" or \"\\endofjob\" was expected",
                ParseConstraintLine);
  reader.inConstraintsSection = false;
  if (reader.settings.verbose) {
    reader.sink.WriteLine(Output::both, "-- Initial constraints (taken from the input):  ");
    reader.sink.ListEquations(reader.job.lattice, reader.job.lattice.equations);
  }
}

// The job keeps the names of its elements; the other legend items are named in warnings.
void HandOverLegend(InputReader& reader) {
  const std::string& symbols = reader.job.lattice.elementSymbols;
  for (LegendEntry& entry : reader.legend) {
    if (symbols.find(entry.symbol) != std::string::npos) {
      reader.job.legend.push_back(std::move(entry));
    } else {
      reader.WarnAt(entry.line, {"legend: \"", std::string_view(&entry.symbol, 1),
                                 "\" is no element of the job; its name is ignored"});
    }
  }
  if (reader.legendRepeated > 0)
    reader.WarnAt(reader.legendRepeatedLine,
                  {"legend: ", std::to_string(reader.legendRepeated),
                   " further names of elements named already are ignored; the first name counts"});
  reader.legend.clear();
  reader.legendNamed.reset();
  reader.legendRepeated = 0;
}

}  // namespace

ParsedJob ReadJob(InputReader& reader, bool firstJob) {
  reader.job = ParsedJob{};
  StartJob(reader, firstJob);
  ReadNameSizeAndElements(reader);
  ReadEdges(reader);
  ReadConstraints(reader);
  HandOverLegend(reader);
  return std::move(reader.job);
}

bool AtEndOfData(InputReader& reader) {
  ReadLogicalLine(reader);
  if (!Contains(reader.line, "\\enddata")) return false;
  CheckCommandStanding(reader, "\\enddata");
  return true;
}

}  // namespace mirelkon
