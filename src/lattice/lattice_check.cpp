// Lattice checks on the closed order matrix. A bound of a pair is found as the only minimal
// (maximal) element among the common upper (lower) bounds: in a finite order a set with a
// single minimal element has that element as its least one.
#include "lattice/lattice_check.h"

#include <algorithm>
#include <string>

#include "session/fatal_error.h"

LatticeTables lattice;

namespace {

// The two directions share one search: "up" reads the order as it is, "down" reversed.
bool Below(int x, int y, bool up) {
  return up ? job.orderMatrix[x][y] : job.orderMatrix[y][x];
}

bool CommonBound(int k, int i, int j, bool up) {
  return Below(i, k, up) && Below(j, k, up);
}

bool MinimalBound(int k, int i, int j, bool up) {
  if (!CommonBound(k, i, j, up)) return false;
  for (int m = 1; m <= job.latticeSize; ++m)
    if (m != k && CommonBound(m, i, j, up) && Below(m, k, up)) return false;
  return true;
}

std::string Symbol(int i) {
  return std::string(1, job.elementSymbols[i - 1]);
}

// The least upper bound of i and j ("up"), or their greatest lower bound.
int Bound(int i, int j, bool up, int line) {
  int first = 0;
  for (int k = 1; k <= job.latticeSize; ++k) {
    if (!MinimalBound(k, i, j, up)) continue;
    if (first != 0) {
      FatalDataErrorAt(line, "not a lattice: " + Symbol(i) + " and " + Symbol(j) + " have two " +
                                 (up ? "minimal upper" : "maximal lower") + " bounds, " +
                                 Symbol(first) + " and " + Symbol(k));
    }
    first = k;
  }
  if (first == 0) {
    FatalDataErrorAt(line, "not a lattice: " + Symbol(i) + " and " + Symbol(j) + " have no " +
                               (up ? "upper" : "lower") + " bound");
  }
  return first;
}

void CheckAntisymmetry(int line) {
  const int n = job.latticeSize;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      if (job.orderMatrix[i][j] && job.orderMatrix[j][i]) {
        FatalDataErrorAt(line, "not a lattice: " + Symbol(i) + " and " + Symbol(j) +
                                   " are each below the other");
      }
    }
}

}  // namespace

void CheckLattice(int line) {
  CheckAntisymmetry(line);
  const int n = job.latticeSize;
  for (int i = 1; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      lattice.join[i][j] = lattice.join[j][i] = static_cast<std::uint8_t>(Bound(i, j, true, line));
      lattice.meet[i][j] = lattice.meet[j][i] = static_cast<std::uint8_t>(Bound(i, j, false, line));
    }
}

void CheckGivenEquations() {
  const int n = job.latticeSize;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) lattice.joinGiven[i][j] = lattice.meetGiven[i][j] = false;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintKind& kind = job.constraintKinds[k];
    if (!kind.isJoin && !kind.isMeet) continue;
    const ConstraintRecord& c = job.constraintTable[k];
    const int value = kind.isJoin ? lattice.join[c.left][c.right] : lattice.meet[c.left][c.right];
    if (c.result != value) {
      std::string right = WrittenForm(k);
      right.back() = job.elementSymbols[value - 1];
      FatalDataErrorAt(job.constraintLines[k],
                       WrittenForm(k) + " does not hold in this lattice: " + right);
    }
    auto& given = kind.isJoin ? lattice.joinGiven : lattice.meetGiven;
    given[std::min(c.left, c.right)][std::max(c.left, c.right)] = true;
  }
}
