// What a run may ask about each job beyond the count: the closed subsets holding given
// elements, their number by size, the subsets themselves, and their number up to the
// symmetries of L.
#pragma once

#include <cstdint>
#include <string>

namespace mirelkon {

constexpr std::uint64_t defaultListLimit = 1000000;
// --draw DIR draws each job's first listed subsets, so a long list does not fill the disk.
constexpr std::uint64_t drawnSubsetLimit = 100;

struct Queries {
  std::string containing;  // --containing: element symbols every counted subset holds
  bool bounded = false;    // --bounded: the bottom and the top of L
  bool list = false;       // --list: the subsets themselves, when at most listLimit
  std::uint64_t listLimit = defaultListLimit;
  bool listBySize = false;    // --by-size: the list ordered by size, the smallest first
  std::string listTo;         // --list-to: the new file the lists go to instead of stdout
  std::string drawFolder;     // --draw: the folder of the drawings of the listed subsets
  bool upToSymmetry = false;  // --up-to-symmetry
  bool profile = false;       // --profile: the number of each size

  bool Any() const { return !containing.empty() || bounded || list || upToSymmetry || profile; }
};

}  // namespace mirelkon
