// The rule "left and right in a subset force result in", elements numbered from 0: what the
// counter counts under. A rule whose result is one of its arguments excludes no subset.
#pragma once

#include <cstdint>

namespace mirelkon {

struct Rule {
  std::uint8_t left;
  std::uint8_t right;
  std::uint8_t result;
};

}  // namespace mirelkon
