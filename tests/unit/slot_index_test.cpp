// The slot index against a linear scan: the lowest slot of every key, nothing after Clear.
#include "core/slot_index.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace mirelkon {

namespace {

int LinearFind(const std::vector<std::uint32_t>& keys, std::uint32_t key) {
  for (std::size_t s = 0; s < keys.size(); ++s)
    if (keys[s] == key) return static_cast<int>(s);
  return -1;
}

TEST(SlotIndex, FindsTheLowestSlotOfEveryKeyAsALinearScanDoes) {
  std::mt19937 random(7331);
  for (int round = 0; round < 4; ++round) {
    const int capacity = 4096;
    const std::uint32_t distinct = round % 2 == 0 ? 64 : 1u << 30;  // many repeats, or few
    std::vector<std::uint32_t> keys;
    SlotIndex index(capacity);
    auto keyOf = [&](int s) { return keys[s]; };
    for (int s = 0; s < capacity; ++s) {
      keys.push_back(static_cast<std::uint32_t>(random() % distinct));
      const int earlier = index.Insert(keys.back(), s, keyOf);
      ASSERT_EQ(earlier, LinearFind(keys, keys.back()) == s ? -1 : LinearFind(keys, keys.back()));
    }
    for (int query = 0; query < 20000; ++query) {
      const std::uint32_t key = static_cast<std::uint32_t>(random() % (2 * distinct));
      ASSERT_EQ(index.Find(key, keyOf), LinearFind(keys, key)) << key;
    }
    index.Clear();
    EXPECT_EQ(index.Find(keys[0], keyOf), -1);
    EXPECT_EQ(index.Insert(keys[5], 5, keyOf), -1);
    EXPECT_EQ(index.Find(keys[5], keyOf), 5);
  }
}

}  // namespace

}  // namespace mirelkon
