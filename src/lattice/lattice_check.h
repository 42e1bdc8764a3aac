// The current job's closed order checked as a lattice, its join and meet tables, and the
// check of the join and meet equations the job gives.
#pragma once

#include <cstdint>

#include "model/job_model.h"

struct LatticeTables {
  std::uint8_t join[maxElements + 1][maxElements + 1];  // element numbers, both indices 1..n
  std::uint8_t meet[maxElements + 1][maxElements + 1];
  // [i][j] with i < j: the job gives the join (meet) of elements i and j, in either order.
  bool joinGiven[maxElements + 1][maxElements + 1];
  bool meetGiven[maxElements + 1][maxElements + 1];
};

extern LatticeTables lattice;

// Refuses, as a fatal data error at the given line, an order with a cycle or a pair without
// a least upper or a greatest lower bound; otherwise fills the join and meet tables.
void CheckLattice(int line);

// Refuses a given join or meet equation that does not hold, at the line it was read from;
// otherwise marks every pair whose join or meet is given.
void CheckGivenEquations();

inline bool Incomparable(int i, int j) {
  return !job.orderMatrix[i][j] && !job.orderMatrix[j][i];
}
