// Header commands: "\verbose=", "\subtrahend-in-exponent=", "\operationsymbols=" and the first
// "\beginjob", with free text allowed before and between them.
#include <string_view>

#include "input/input_reader.h"
#include "input/line_reader.h"
#include "input/short_string.h"
#include "input/whole_number.h"

namespace mirelkon {

namespace {

constexpr std::string_view subtrahendCommand = "\\subtrahend-in-exponent=";
constexpr std::string_view operationsCommand = "\\operationsymbols=";

void ReadVerbose(InputReader& reader) {
  SkipToCommand(reader, "\\verbose=", "(codet7v) the \"\\verbose=\" command is missing!");
  const std::string& line = reader.line;
  reader.settings.verbose = Contains(line, "true");
  if (!reader.settings.verbose && (Contains(line, "TRUE") || Contains(line, "True")))
    reader.Warn(
        {"\"", line, "\" leaves verbose mode off: only \"true\" in lower case turns it on"});
}

// A whole number after optional blanks and tabs and an optional sign, nothing after it.
bool ParseSubtrahend(std::string_view text, int& value) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  text.remove_prefix(start);
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return false;
  }
  return ParseWholeNumber(text, value);
}

// The command must open its line: its first 24 characters are dropped, whatever they are.
void ReadSubtrahend(InputReader& reader) {
  SkipToCommand(reader, subtrahendCommand,
                "(codeH2v) the \"\\subtrahend-in-exponent=\" command is missing!");
  const std::string_view line = reader.line;
  int subtrahend = 0;
  if (!ParseSubtrahend(line.substr(std::min(line.size(), subtrahendCommand.size())), subtrahend))
    reader.Fail("(codeS3x) the \"\\subtrahend-in-exponent=\" does not give a natural number!");
  if (subtrahend < 0 || subtrahend > maxSubtrahend)
    reader.Fail("(codeG5i) 0 <= subtrahend <= 20 fails");
  reader.settings.subtrahend = subtrahend;
}

// A symbol given twice keeps the operation number of its first place, so the second place
// names an operation no constraint can reach. A blank (which a comma becomes) can never stand
// in a constraint anyway, so repeated blanks are harmless and let be.
void WarnOfRepeatedOperationSymbols(const InputReader& reader) {
  const std::string& symbols = reader.settings.operationSymbols;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const std::size_t first = symbols.find(symbols[i]);
    if (symbols[i] != ' ' && first < i && symbols.find(symbols[i], first + 1) == i)
      reader.Warn({"operation symbol \"", symbols.substr(i, 1),
                   "\" is given twice; only its first place counts"});
  }
}

void ReadOperationSymbols(InputReader& reader) {
  SkipToCommand(reader, operationsCommand,
                "(codePx6) the \"\\operationsymbols=\" command is missing!");
  const std::string& line = reader.line;
  reader.settings.operationSymbols =
      line.substr(line.find(operationsCommand) + operationsCommand.size());
  WarnOfRepeatedOperationSymbols(reader);
}

void FindFirstJob(InputReader& reader) {
  while (!Contains(reader.line, "\\beginjob") && !Contains(reader.line, "\\enddata")) {
    if (reader.file.Exhausted()) break;
    ReadLogicalLine(reader);
  }
  if (!Contains(reader.line, "\\beginjob"))
    reader.Fail("(code7zf) no \"\\beginjob\" command was found");
  CheckCommandStanding(reader, "\\beginjob");
}

}  // namespace

void ReadRunHeader(InputReader& reader) {
  reader.line.clear();
  ReadVerbose(reader);
  ReadSubtrahend(reader);
  ReadOperationSymbols(reader);
  FindFirstJob(reader);
}

}  // namespace mirelkon
