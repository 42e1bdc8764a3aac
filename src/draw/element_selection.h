// The elements a user marks in a drawing, written as --list writes a subset (a word of
// element symbols, "{}" for none) or by the elements' names separated by blanks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/bits.h"

struct ElementSelection {
  std::optional<Mask> elements;  // nullopt when a word names no element
  std::string unknown;           // that word
};

// A value that is one word of symbols of distinct elements is read as symbols; otherwise
// each blank-separated word must be an element's name.
ElementSelection SelectElements(const std::string& value, const std::string& symbols,
                                const std::vector<std::string>& names);
