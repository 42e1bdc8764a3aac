// Exact count of the subsets of {1..n} that are closed under a list of rules "left and right
// in the subset force result in", found without enumerating the subsets.
#pragma once

#include <cstdint>

#include "model/job_model.h"

// rules[0..ruleCount-1] name elements 1..n, with 0 <= n <= maxElements and
// 0 <= ruleCount <= maxConstraints; the operation of a rule plays no part.
std::uint64_t CountClosedSets(int n, const ConstraintRecord* rules, int ruleCount);
