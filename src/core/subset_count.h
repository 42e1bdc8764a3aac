// Exact numbers of subsets of up to 64 elements.
#pragma once

#include <string>

namespace mirelkon {

// 2^64 needs one bit more than 64.
__extension__ typedef unsigned __int128 SubsetCount;

// The count in plain decimal, every digit exact.
std::string DecimalText(SubsetCount value);

}  // namespace mirelkon
