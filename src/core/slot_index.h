// An open-addressing hash set of table slots, keyed by a 32-bit key of each slot's content.
// It holds the lowest slot of every key filed, so finding an entry costs a few probes instead
// of a scan of the table. The index keeps slot numbers only; the caller tells the key of a
// filed slot, which the index compares on a probe.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

namespace mirelkon {

class SlotIndex {
 public:
  // Room for slots 0..capacity-1; at least twice as many buckets keep the probes short.
  explicit SlotIndex(int capacity) {
    while ((1 << bits_) < 2 * capacity) ++bits_;
    buckets_.assign(std::size_t{1} << bits_, 0);
  }

  void Clear() { std::fill(buckets_.begin(), buckets_.end(), 0); }

  // The slot filed under the key, or -1.
  template <class KeyOf>
  int Find(std::uint32_t key, KeyOf keyOf) const {
    for (std::uint32_t b = First(key); buckets_[b] != 0; b = Next(b))
      if (keyOf(buckets_[b] - 1) == key) return buckets_[b] - 1;
    return -1;
  }

  // Files the slot under its key unless a slot is filed there already; answers that earlier
  // slot, or -1 when the slot was filed.
  template <class KeyOf>
  int Insert(std::uint32_t key, int slot, KeyOf keyOf) {
    std::uint32_t b = First(key);
    for (; buckets_[b] != 0; b = Next(b))
      if (keyOf(buckets_[b] - 1) == key) return buckets_[b] - 1;
    assert(slot + 1 < (1 << 16));
    buckets_[b] = static_cast<std::uint16_t>(slot + 1);
    return -1;
  }

 private:
  std::uint32_t First(std::uint32_t key) const { return (key * 0x9E3779B1u) >> (32 - bits_); }
  std::uint32_t Next(std::uint32_t b) const { return (b + 1) & (buckets_.size() - 1); }

  int bits_ = 1;
  std::vector<std::uint16_t> buckets_;  // 0: empty, else slot + 1
};

}  // namespace mirelkon
