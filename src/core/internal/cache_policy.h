// Where the cache of counted parts pays, judged by the number of elements of a part while a
// count runs. A part found in the cache saves the search below it, which is small for small
// parts and grows with the size; a look costs a key, a probe into memory the processor does
// not hold, and a store that later fills and refiles the index. On lattices given by their
// joins alone, random rule sets and midpoint rules, parts of more than ten elements are
// nearly never found again: their looks cost a third of the count and save 4% of its parts.
// On lattices given whole, parts of every size are found again and save much.
//
// So each size keeps the looks and finds of its parts, and the parts counted with the parts
// below them. Looks pay while the parts the finds save, at the mean search below a part of
// that size, are at least half the looks. Where they do not, only a sample of the parts,
// chosen by their element masks, is looked for and stored, so that a size whose parts come
// back later in the count is judged again on the same terms.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mirelkon {

class CachePolicy {
 public:
  explicit CachePolicy(int largestSize) : bySize_(largestSize + 1) {}

  void Clear() { std::fill(bySize_.begin(), bySize_.end(), BySize{}); }

  // Whether to look for a part of `size` elements, whose element mask folds to `fold`, and to
  // store it when it is not found.
  bool Looks(int size, std::uint64_t fold) const { return bySize_[size].pays || Sampled(fold); }

  void NoteLook(int size, bool found) {
    BySize& s = bySize_[size];
    ++s.looks;
    s.finds += found;
    Judge(s);
  }

  // A part of `size` elements was counted in `parts` parts, itself and those below it.
  void NoteCounted(int size, std::uint64_t parts) {
    BySize& s = bySize_[size];
    ++s.counted;
    s.partsBelow += parts;
  }

 private:
  struct BySize {
    std::uint64_t looks = 0, finds = 0, counted = 0, partsBelow = 0;
    bool pays = true;
  };

  // One part mask in eight.
  static bool Sampled(std::uint64_t fold) { return (fold * 0x9E3779B97F4A7C15u) >> 61 == 0; }

  // Judged once a size has been looked for often enough to tell.
  static void Judge(BySize& s) {
    constexpr std::uint64_t fewestLooks = 256;
    if (s.looks < fewestLooks || s.counted == 0) return;
    const double saved = static_cast<double>(s.finds) * static_cast<double>(s.partsBelow) /
                         static_cast<double>(s.counted);
    s.pays = 2 * saved >= static_cast<double>(s.looks);
  }

  std::vector<BySize> bySize_;
};

}  // namespace mirelkon
