// Constraints from the input are appended to the table as they stand; normal form and
// derivation come after the whole section has been read.
#include "input/constraint_line.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "input/input_file.h"
#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/warning.h"
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

// The typed constraints of the job by operation and arguments in the order typed: an
// open-addressing hash set of the first slot of each, emptied with the job's first
// constraint. It keeps the check for a pair given twice at a few probes per constraint.
struct TypedPairIndex {
  static constexpr int bucketBits = 13;   // twice maxConstraints: short probes
  std::uint16_t slotOf[1 << bucketBits];  // 0: empty bucket
};
static_assert(1 << TypedPairIndex::bucketBits >= 2 * maxConstraints);

TypedPairIndex typedPairs;

std::uint32_t PairKey(int k) {
  const ConstraintRecord& c = job.constraintTable[k];
  return c.left | static_cast<std::uint32_t>(c.right) << 8 |
         static_cast<std::uint32_t>(c.operation) << 16;
}

// The first slot before k with the operation and the arguments of slot k, in the order
// typed, or 0 when there is none; then slot k is filed as the first of its pair.
int EarlierSamePair(int k) {
  if (k == 1) std::fill(std::begin(typedPairs.slotOf), std::end(typedPairs.slotOf), 0);
  constexpr std::uint32_t mask = (1u << TypedPairIndex::bucketBits) - 1;
  const std::uint32_t key = PairKey(k);
  for (std::uint32_t b = (key * 0x9E3779B1u) >> (32 - TypedPairIndex::bucketBits);;
       b = (b + 1) & mask) {
    const int s = typedPairs.slotOf[b];
    if (s == 0) {
      typedPairs.slotOf[b] = static_cast<std::uint16_t>(k);
      return 0;
    }
    if (PairKey(s) == key) return s;
  }
}

// In a lattice x+y lies above x and y, and x*y below both; the order is closed by now.
void WarnIfOrderDisagrees(int k) {
  const ConstraintRecord& c = job.constraintTable[k];
  const bool join = job.constraintKinds[k].isJoin;
  if (!join && !job.constraintKinds[k].isMeet) return;
  auto fits = [&](int x) {
    return join ? job.orderMatrix[x][c.result] : job.orderMatrix[c.result][x];
  };
  const bool leftFits = fits(c.left);
  const bool rightFits = fits(c.right) || c.right == c.left;
  if (leftFits && rightFits) return;
  const std::string form = WrittenForm(k);
  const std::string_view f = form, none;
  Warn({f, ": the order does not put ", f.substr(4, 1), join ? " above " : " below ",
        leftFits ? none : f.substr(0, 1), leftFits || rightFits ? none : " and ",
        rightFits ? none : f.substr(2, 1)});
}

// A typed equation given again says nothing new, so it is not warned about twice. An extra
// operation may give one pair of arguments two results on purpose (a closure rule with two
// consequences), so that is only a warning; two values of the join or the meet stop the
// derivation. Arguments count in the order typed: x-y and y-x are different pairs.
void WarnAboutNewConstraint(int k) {
  const int s = EarlierSamePair(k);
  if (s != 0 && job.constraintTable[s].result == job.constraintTable[k].result) return;
  WarnIfOrderDisagrees(k);
  if (s == 0 || job.constraintKinds[k].isJoin || job.constraintKinds[k].isMeet) return;
  const std::string form = WrittenForm(k);
  Warn({std::string_view(form).substr(0, 3), " has two values: ", WrittenForm(s), " (line ",
        std::to_string(job.constraintLines[s]), ") and ", form});
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
    WarnAboutNewConstraint(job.constraintCount);
    line.erase(0, length + 1);
  } while (!line.empty());
}
