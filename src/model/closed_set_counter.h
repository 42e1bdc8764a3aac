// Exact count of the subsets of {1..n} that are closed under a list of rules "left and right
// in the subset force result in", found without enumerating the subsets.
#pragma once

#include "model/job_model.h"

// A count of subsets of up to 64 elements: 2^64 needs one bit more than 64.
__extension__ typedef unsigned __int128 SubsetCount;

// rules[0..ruleCount-1] name elements 1..n, with 0 <= n <= maxElements and
// 0 <= ruleCount <= maxConstraints; the operation of a rule plays no part. rank, when given,
// holds a number for each element (rank[i - 1] for element i), and the search prefers to
// decide elements of lower rank first: the count does not depend on it, its speed does.
//
// A plain search, for checking the counter against itself, keeps no cache of counted parts and
// counts independent parts together; elements in no open rule still double the count.
enum class Search { full, plain };
SubsetCount CountClosedSets(int n, const ConstraintRecord* rules, int ruleCount,
                            const int* rank = nullptr, Search search = Search::full);
