// Constraints from the input are appended to the table as they stand; normal form and
// derivation come after the whole section has been read.
#include "input/constraint_line.h"

#include <string_view>

#include "input/input_file.h"
#include "input/item_line.h"
#include "input/line_reader.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/report.h"

namespace {

void AppendInputConstraint(int left, int operation, int right, int result) {
  if (job.constraintCount == maxConstraints) FatalDataError("(code-pZw) too many constraints");
  int k = ++job.constraintCount;
  job.constraintTable[k] = {static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(right),
                            static_cast<std::uint8_t>(result),
                            static_cast<std::uint8_t>(operation)};
  char symbol = run.operationSymbols[operation - 1];
  job.constraintKinds[k] = {symbol == '+', symbol == '*'};
  job.constraintLines[k] = input.lineNumber;
}

}  // namespace

void ParseConstraintLine(std::string& line) {
  PrepareItemLine(line);
  do {
    TrimBlanks(line);
    std::size_t length = ItemLength(line);
    if (length != 5) FatalDataError(Concat({"(codeTh4s) invalid constraint in |", line, "|"}));
    std::string_view item(line.data(), length);
    int left = ElementNumber(item[0]);
    int operation = OperationNumber(item[1]);
    int right = ElementNumber(item[2]);
    int result = ElementNumber(item[4]);
    if (left == 0 || operation == 0 || right == 0 || result == 0 || item.find('=') != 3) {
      FatalDataError(
          Concat({"(codeTz7) invalid element(s) or operation or mispositioned/missing "
                  "\"=\" in constraint in",
                  line}));
    }
    if (left == right || left == result || right == result) {
      WriteBothLine(Concat({"Warning (not three distinct elements in): ", item}));
    }
    AppendInputConstraint(left, operation, right, result);
    line.erase(0, length + 1);
  } while (!line.empty());
}
