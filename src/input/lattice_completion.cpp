// The lattice check of a job through the library, and its refusals.
#include "input/lattice_completion.h"

#include <algorithm>

#include "input/data_error.h"
#include "input/short_string.h"
#include "named/named_lattice.h"

namespace mirelkon {

namespace {

// Every given join and meet must hold in the lattice the order makes.
void CheckGivenEquations(const ParsedJob& job, const LatticeTables& tables) {
  const PartialLattice& lattice = job.lattice;
  for (std::size_t k = 0; k < lattice.equations.size(); ++k) {
    const Equation& e = lattice.equations[k];
    if (!e.IsJoin() && !e.IsMeet()) continue;
    const int value = tables.Value(e);
    if (e.result == value) continue;
    std::string right = lattice.WrittenForm(e);
    right.back() = lattice.elementSymbols[value];
    throw DataError{lattice.WrittenForm(e) + " does not hold in this lattice: " + right,
                    job.equationLines[k],
                    {}};
  }
}

}  // namespace

std::string WithJoinAndMeet(const std::string& operationSymbols) {
  std::string operations = operationSymbols;
  if (!Contains(operations, "+")) operations += joinSymbol;
  if (!Contains(operations, "*")) operations += meetSymbol;
  return operations;
}

std::string LatticeFaultText(const PartialLattice& lattice, const LatticeFault& fault) {
  std::vector<std::string> names;
  for (char symbol : lattice.elementSymbols) names.emplace_back(1, symbol);
  return LatticeFaultText(names, fault);
}

std::vector<Equation> MissingEquations(const PartialLattice& lattice, const LatticeTables& tables) {
  const int n = lattice.Size();
  std::vector<bool> given(2 * n * n, false);  // [meet][x][y], x < y
  for (const Equation& e : lattice.equations)
    if (e.IsJoin() || e.IsMeet())
      given[(e.IsMeet() * n + std::min(e.left, e.right)) * n + std::max(e.left, e.right)] = true;
  std::vector<Equation> missing;
  for (const Equation& e : LatticeEquations(lattice.order, tables))
    if (!given[(e.IsMeet() * n + e.left) * n + e.right]) missing.push_back(e);
  return missing;
}

void AddCompletion(ParsedJob& job, const std::vector<Equation>& added) {
  PartialLattice& lattice = job.lattice;
  lattice.operationSymbols = WithJoinAndMeet(lattice.operationSymbols);
  lattice.equations.insert(lattice.equations.end(), added.begin(), added.end());
  job.equationLines.insert(job.equationLines.end(), added.size(), job.edgesLine);
}

std::vector<Equation> LatticeCompletion(const InputReader& reader, const ParsedJob& job) {
  const LatticeCheck check = CheckLattice(job.lattice.order);
  if (check.fault) throw DataError{LatticeFaultText(job.lattice, *check.fault), job.edgesLine, {}};
  CheckGivenEquations(job, check.tables);
  std::vector<Equation> missing = MissingEquations(job.lattice, check.tables);
  const int needed = static_cast<int>(job.lattice.equations.size() + missing.size());
  if (needed > maxConstraints)
    reader.Fail("the job needs " + std::to_string(needed) + " constraints; the table holds " +
                std::to_string(maxConstraints));
  return missing;
}

}  // namespace mirelkon
