// The cache policy: sizes whose parts are not found again are looked for in a sample only.
#include <gtest/gtest.h>

#include "core/internal/cache_policy.h"

namespace mirelkon {
namespace {

// The share of 4096 spread part masks that a part of `size` elements is looked for under.
double LookedShare(const CachePolicy& policy, int size) {
  int looked = 0;
  for (std::uint64_t mask = 1; mask <= 4096; ++mask)
    looked += policy.Looks(size, mask * 0x2545F4914F6CDD1Du);
  return looked / 4096.0;
}

TEST(CachePolicy, LooksWhileFindsSaveAtLeastHalfTheLooks) {
  struct Case {
    const char* name;
    int looks, findEvery, partsBelow;  // findEvery 0: never found
    bool everyPart;
  };
  const Case cases[] = {
      {"too few looks to judge", 200, 0, 10, true},
      {"never found", 2000, 0, 10, false},
      {"found once in 10, saving 10 parts", 2000, 10, 10, true},
      {"found once in 10, saving 2 parts", 2000, 10, 2, false},
  };
  for (const Case& c : cases) {
    CachePolicy policy(64);
    for (int k = 0; k < c.looks; ++k) {
      const bool found = c.findEvery > 0 && k % c.findEvery == 0;
      policy.NoteLook(20, found);
      if (!found) policy.NoteCounted(20, c.partsBelow);
    }
    const double share = LookedShare(policy, 20);
    if (c.everyPart) {
      EXPECT_EQ(share, 1.0) << c.name;
    } else {
      EXPECT_GT(share, 0.08) << c.name;  // a sample of about one in eight
      EXPECT_LT(share, 0.17) << c.name;
    }
    EXPECT_EQ(LookedShare(policy, 21), 1.0) << c.name << ": other sizes are judged apart";
  }
}

}  // namespace
}  // namespace mirelkon
