// The single instances of the run settings and the job tables.
#include "model/job_model.h"

RunSettings run;
JobModel job;

std::string WrittenForm(int k) {
  const ConstraintRecord& c = job.constraintTable[k];
  return {job.elementSymbols[c.left - 1], run.operationSymbols[c.operation - 1],
          job.elementSymbols[c.right - 1], '=', job.elementSymbols[c.result - 1]};
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
