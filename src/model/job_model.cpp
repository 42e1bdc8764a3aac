// The single instances of the run settings and the job tables.
#include "model/job_model.h"

RunSettings run;
JobModel job;

std::string WrittenForm(int k) {
  const ConstraintRecord& c = job.constraintTable[k];
  return WrittenForm(c.left, run.operationSymbols[c.operation - 1], c.right, c.result);
}

std::string WrittenForm(int left, char operation, int right, int result) {
  const std::string& symbols = job.elementSymbols;
  return {symbols[left - 1], operation, symbols[right - 1], '=', symbols[result - 1]};
}

namespace {

int PositionIn(const std::string& symbols, char symbol) {
  std::size_t at = symbols.find(symbol);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace

int ElementNumber(char symbol) {
  return PositionIn(job.elementSymbols, symbol);
}

int OperationNumber(char symbol) {
  return PositionIn(run.operationSymbols, symbol);
}
