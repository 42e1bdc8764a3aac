// |Sub(L)| of a generated lattice, the empty sublattice included: the subsets closed under
// the join and meet of every incomparable pair, counted by the library's closed-set counter.
// One counter per thread; it keeps its working memory from one lattice to the next.
#pragma once

#include <cstdint>

#include "core/closed_set_counter.h"
#include "generate/generated_lattice.h"

namespace mirelkon {

class SublatticeCounter {
 public:
  std::uint64_t Count(const GeneratedLattice& lattice);

 private:
  ClosedSetCounter counter_;
};

}  // namespace mirelkon
