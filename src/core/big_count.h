// Exact counts of any size, for sets of more than 64 elements: GMP's integers through its C++
// interface. The cache of counted parts stores a count as 64-bit words, lowest first.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/subset_count.h"

namespace mirelkon {

using BigCount = mpz_class;

// 2^k.
BigCount PowerOfTwo(int k);

// A count of subsets of up to 64 elements.
BigCount BigCountOf(SubsetCount value);

// count * 2^(subtrahend - n), from the count's leading bits.
double Sigma(const BigCount& count, int n, int subtrahend);

// The count in plain decimal.
std::string DecimalText(const BigCount& value);

// The words of a count that is not negative, lowest first; none for 0.
std::vector<std::uint64_t> CountWords(const BigCount& value);
BigCount CountOfWords(std::span<const std::uint64_t> words);

}  // namespace mirelkon
