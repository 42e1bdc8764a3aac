// Name, size and element list of a job.
#include "input/job_opening.h"

#include <string_view>

#include "input/input_file.h"
#include "input/line_reader.h"
#include "input/warning.h"
#include "model/job_model.h"
#include "model/order.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/report.h"

namespace {

// No element symbol may be one of the characters the input language gives a meaning to.
constexpr std::string_view forbiddenSymbols = "%\\-*+=()[]'{}?., ";

void ReadName(std::string& line) {
  ReadLogicalLine(line);
  WriteBothLine("L: " + line);
  job.nameOfL = line;
}

// The size is read from the raw input after the "\size" line, not through the line reader.
void ReadSize(std::string& line) {
  FailIfExhausted("(codeshR) \"\\size\" is missing from input file");
  ReadLogicalLine(line);
  if (!Contains(line, "\\size")) FatalDataError("(code4Pqs) \"\\size\" is missing from input file");
  FailIfExhausted("(codesh8H) the size of L is missing from input file");
  CheckCommandStanding(line, "\\size");
  int size = 0;
  if (!ReadRawInteger(size)) FatalDataError("(codeSzNum) the size of L is not a whole number");
  WriteScreen(", |L|=" + std::to_string(size));
  WriteResult("|L|=" + std::to_string(size));
  // The tables hold at most maxElements elements.
  if (size > maxElements) FatalDataError("(codeSz64) the size of L must be at most 64");
  job.latticeSize = size;
}

void ReadElementLine(std::string& line) {
  FailIfExhausted("(codeZuBv) \"\\elements\" is missing from input file");
  ReadLogicalLine(line);
  if (!Contains(line, "elements")) {
    FatalDataError("(codeJjw) \"\\elements\" is missing from input file");
  }
  FailIfExhausted("(codekKw) the elements are missing from input file");
  CheckCommandStanding(line, "elements");
  ReadLogicalLine(line);
  WriteScreen(", L (without commas)={" + line + "}.");
  WriteResult(", L={" + line + "}.");
  if (static_cast<int>(line.size()) != job.latticeSize) {
    FatalDataError("(codeHL1sW) a different number of elements were expected");
  }
}

void CheckElementSymbols() {
  const std::string& symbols = job.elementSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    if (symbols.find(symbols[i], i + 1) != std::string::npos) {
      FatalDataError(Concat({"(codeZLqHx) repeated symbols in {", symbols, "}."}));
    }
  }
  for (char symbol : symbols) {
    if (forbiddenSymbols.find(symbol) != std::string_view::npos) {
      FatalDataError(Concat({"(codeZLqkRtM) Illegal character in ", symbols}));
    }
  }
}

// Each place of a constraint is looked up in one list only, so such a symbol is read
// correctly, but "ffb=c" is hard to read and often a slip.
void WarnOfSymbolsOfBothKinds() {
  const std::string& symbols = job.elementSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    if (OperationNumber(symbols[i]) != 0)
      Warn({"\"", symbols.substr(i, 1), "\" is both an element symbol and an operation symbol"});
  }
}

}  // namespace

void ReadNameSizeAndElements(std::string& line) {
  ReadName(line);
  ReadSize(line);
  ReadElementLine(line);
  job.elementSymbols = line;
  SetOrderToIdentity();
  CheckElementSymbols();
  WarnOfSymbolsOfBothKinds();
}
