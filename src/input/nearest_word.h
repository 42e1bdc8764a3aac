// The word a person most likely meant: "did you mean \endofjob?" for "\endjob", "Pi4" for
// "Pj4", "--verbose" for "--verbos". Used by every reader of what people type.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mirelkon {

// The number of single-character insertions, deletions and substitutions between a and b,
// letters compared without their case.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The candidate nearest to word, when near enough to be a slip (at most a third of its
// length, and at least one, edited); else empty.
std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates);

}  // namespace mirelkon
