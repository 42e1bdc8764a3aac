// The job's answer: the number of subuniverses of L, sigma(L), and the three result lines.
#pragma once

#include <array>
#include <string>

#include "core/subset_count.h"
#include "model/job_model.h"

// Membership of a subset of L: entry i (1..n) true means element i is in it; entry 0 and the
// entries above n are not read.
using CandidateSubset = std::array<bool, maxElements + 1>;

// True when the subset holds the result of every constraint whose left and right it holds.
// The constraints are tried in table order and the first violated one ends the test.
bool IsClosed(const CandidateSubset& subset);

// The number of subsets of L that IsClosed accepts, found by the closed-set counter, which
// decides elements from the bottom of the order upwards.
SubsetCount CountedSubuniverses();

// Counts the subsets of L that IsClosed accepts and writes "-- Result: ...", "-- <name>.
// Thus," and the sigma line to the screen and then to the result file.
void CountSubuniverses();
