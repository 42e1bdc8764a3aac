// Decimal text of 128-bit counts, which the standard library does not print.
#include "core/subset_count.h"

#include <iterator>

namespace mirelkon {

std::string DecimalText(SubsetCount value) {
  char digits[40];  // 2^128 has 39 decimal digits
  char* start = std::end(digits);
  do {
    *--start = static_cast<char>('0' + static_cast<int>(value % 10));
    value /= 10;
  } while (value != 0);
  return {start, std::end(digits)};
}

}  // namespace mirelkon
