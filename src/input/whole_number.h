// Whole numbers written in decimal digits, as the input language and the command lines
// take them.
#pragma once

#include <cstdint>
#include <string_view>

namespace mirelkon {

// Digits with an optional leading "-" and nothing else, within the range of int.
bool ParseWholeNumber(std::string_view text, int& value);

// Digits alone, within 64 bits: counts of lattices and of sublattices.
bool ParseWholeNumber(std::string_view text, std::uint64_t& value);

}  // namespace mirelkon
