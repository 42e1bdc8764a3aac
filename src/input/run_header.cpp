// Header commands and the run header.
#include "input/run_header.h"

#include <climits>
#include <string_view>

#include "input/input_file.h"
#include "input/line_reader.h"
#include "input/warning.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/report.h"
#include "session/session.h"

namespace {

constexpr std::string_view subtrahendCommand = "\\subtrahend-in-exponent=";
constexpr std::string_view operationsCommand = "\\operationsymbols=";

// A whole number with optional leading blanks and sign, nothing after it, within int range.
bool ParseWholeNumber(std::string_view text, int& value) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return false;
  bool negative = text[i] == '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  if (i == text.size()) return false;
  long long magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > 1LL + INT_MAX) return false;
  }
  long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}

void ReadVerbose(std::string& line) {
  SkipToCommand(line, "\\verbose=", "(codet7v) the \"\\verbose=\" command is missing!");
  run.verbose = Contains(line, "true");
  if (!run.verbose && (Contains(line, "TRUE") || Contains(line, "True")))
    Warn({"\"", line, "\" leaves verbose mode off: only \"true\" in lower case turns it on"});
}

// The command must open its line: its first 24 characters are dropped, whatever they are.
void ReadSubtrahend(std::string& line) {
  SkipToCommand(line, subtrahendCommand,
                "(codeH2v) the \"\\subtrahend-in-exponent=\" command is missing!");
  std::string_view rest =
      std::string_view(line).substr(std::min(line.size(), subtrahendCommand.size()));
  int subtrahend = 0;
  if (!ParseWholeNumber(rest, subtrahend)) {
    FatalDataError("(codeS3x) the \"\\subtrahend-in-exponent=\" does not give a natural number!");
  }
  if (subtrahend < 0 || subtrahend > 20) FatalDataError("(codeG5i) 0 <= subtrahend <= 20 fails");
  run.subtrahend = subtrahend;
}

// A symbol given twice keeps the operation number of its first place, so the second place
// names an operation no constraint can reach. A blank (which a comma becomes) can never
// stand in a constraint anyway, so repeated blanks are harmless and let be.
void WarnOfRepeatedOperationSymbols() {
  const std::string& symbols = run.operationSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const std::size_t first = symbols.find(symbols[i]);
    if (symbols[i] != ' ' && first < i && symbols.find(symbols[i], first + 1) == i)
      Warn({"operation symbol \"", symbols.substr(i, 1),
            "\" is given twice; only its first place counts"});
  }
}

void ReadOperationSymbols(std::string& line) {
  SkipToCommand(line, operationsCommand,
                "(codePx6) the \"\\operationsymbols=\" command is missing!");
  run.operationSymbols = line.substr(line.find(operationsCommand) + operationsCommand.size());
  WarnOfRepeatedOperationSymbols();
}

void FindFirstJob(std::string& line) {
  while (!Contains(line, "\\beginjob") && !Contains(line, "\\enddata")) {
    if (InputExhausted()) break;
    ReadLogicalLine(line);
  }
  if (!Contains(line, "\\beginjob"))
    FatalDataError("(code7zf) no \"\\beginjob\" command was found");
  CheckCommandStanding(line, "\\beginjob");
}

const char* BooleanText(bool value) {
  return value ? "TRUE" : "FALSE";
}

}  // namespace

void ReadRunHeader(std::string& line) {
  line.clear();
  ReadVerbose(line);
  ReadSubtrahend(line);
  ReadOperationSymbols(line);
  FindFirstJob(line);
}

void WriteRunHeader() {
  session.startTime = ReadTimeOfDay();
  std::string start = "MIRELKON ver. July 23, 2019 (start:=" + TimeOfDayText(session.startTime);
  std::string verbose = std::string("verbose=") + BooleanText(run.verbose) + ") reports:";
  WriteScreenLine();
  WriteScreenLine(start + ", " + verbose);
  WriteScreenLine();
  WriteResultLine(start);
  WriteResultLine("   (" + verbose);
  WriteResultLine("Mirelkon counts the subuniverses of finite partial lattices.");
  WriteResultLine("Thanks to everyone who tested it and reported problems.");
  WriteResultLine();
}
