// Name, size and element list of a job.
#include "input/job_opening.h"

#include <string_view>

#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

// No element symbol may be one of the characters the input language gives a meaning to.
constexpr std::string_view forbiddenSymbols = "%\\-*+=()[]'{}?., ";

void ReadName(InputReader& reader) {
  ReadLogicalLine(reader);
  reader.sink.WriteLine(Output::both, "L: " + reader.line);
  reader.job.name = reader.line;
}

// The size is read from the raw input after the "\size" line, not through the line reader.
int ReadSize(InputReader& reader) {
  FailIfExhausted(reader, "(codeshR) \"\\size\" is missing from input file");
  ReadLogicalLine(reader);
  if (!Contains(reader.line, "\\size"))
    reader.Fail("(code4Pqs) \"\\size\" is missing from input file");
  FailIfExhausted(reader, "(codesh8H) the size of L is missing from input file");
  CheckCommandStanding(reader, "\\size");
  int size = 0;
  if (!reader.file.ReadRawInteger(size))
    reader.Fail("(codeSzNum) the size of L is not a whole number");
  reader.sink.Write(Output::screen, ", |L|=" + std::to_string(size));
  reader.sink.Write(Output::result, "|L|=" + std::to_string(size));
  if (size > maxElements) reader.Fail("(codeSz64) the size of L must be at most 64");
  return size;
}

// "6 elements expected, 5 found in oabci", for standard error.
std::string ElementCountDetail(int size, const std::string& line) {
  if (size < 0) return "the size " + std::to_string(size) + " is below 0";
  std::string detail = std::to_string(size) + (size == 1 ? " element" : " elements");
  detail.append(" expected, ").append(std::to_string(line.size())).append(" found in ");
  detail.append(Shown(line));
  if (Contains(line, " ")) detail.append(" (a blank counts: write the symbols without blanks)");
  return detail;
}

void ReadElementLine(InputReader& reader, int size) {
  FailIfExhausted(reader, "(codeZuBv) \"\\elements\" is missing from input file");
  ReadLogicalLine(reader);
  if (!Contains(reader.line, "elements"))
    reader.Fail("(codeJjw) \"\\elements\" is missing from input file");
  FailIfExhausted(reader, "(codekKw) the elements are missing from input file");
  CheckCommandStanding(reader, "elements");
  ReadLogicalLine(reader);
  reader.sink.Write(Output::screen, ", L (without commas)={" + reader.line + "}.");
  reader.sink.Write(Output::result, ", L={" + reader.line + "}.");
  if (static_cast<int>(reader.line.size()) != size) {
    reader.Fail("(codeHL1sW) a different number of elements were expected",
                ElementCountDetail(size, reader.line));
  }
}

void CheckElementSymbols(const InputReader& reader) {
  const std::string& symbols = reader.job.lattice.elementSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i)
    if (symbols.find(symbols[i], i + 1) != std::string::npos)
      reader.Fail(Concat({"(codeZLqHx) repeated symbols in {", symbols, "}."}));
  for (char symbol : symbols)
    if (forbiddenSymbols.find(symbol) != std::string_view::npos)
      reader.Fail(Concat({"(codeZLqkRtM) Illegal character in ", symbols}));
}

// Each place of a constraint is looked up in one list only, so such a symbol is read
// correctly, but "ffb=c" is hard to read and often a slip.
void WarnOfSymbolsOfBothKinds(const InputReader& reader) {
  const std::string& symbols = reader.job.lattice.elementSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i)
    if (Contains(reader.settings.operationSymbols, symbols.substr(i, 1)))
      reader.Warn(
          {"\"", symbols.substr(i, 1), "\" is both an element symbol and an operation symbol"});
}

}  // namespace

void ReadNameSizeAndElements(InputReader& reader) {
  ReadName(reader);
  const int size = ReadSize(reader);
  ReadElementLine(reader, size);
  PartialLattice& lattice = reader.job.lattice;
  lattice.elementSymbols = reader.line;
  lattice.operationSymbols = reader.settings.operationSymbols;
  lattice.order = Order::Identity(size);
  CheckElementSymbols(reader);
  WarnOfSymbolsOfBothKinds(reader);
}

}  // namespace mirelkon
