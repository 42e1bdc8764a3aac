// The published numbers of lattices.
#include "generate/lattice_counts.h"

#include <cassert>

namespace mirelkon {

std::uint64_t KnownLatticeCount(int n) {
  static constexpr std::uint64_t counts[maxGeneratedSize + 1] = {0,
                                                                 1,
                                                                 1,
                                                                 1,
                                                                 2,
                                                                 5,
                                                                 15,
                                                                 53,
                                                                 222,
                                                                 1078,
                                                                 5994,
                                                                 37622,
                                                                 262776,
                                                                 2018305,
                                                                 16873364,
                                                                 152233518,
                                                                 1471613387,
                                                                 15150569446,
                                                                 165269824761,
                                                                 1901910625578,
                                                                 23003059864006};
  assert(1 <= n && n <= maxGeneratedSize);
  return counts[n];
}

}  // namespace mirelkon
