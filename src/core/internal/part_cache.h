// The cache of counted parts: the value of each part the search has counted (its number of
// closed sets, or those numbers by size), found again by the part's key (the words that
// describe its residual problem), in memory of a fixed bound. Keys and values are words of
// any length.
//
// Entries are written one after the other into one of two halves of an arena, the current
// generation. When it has no room left, the other half, the older generation, is given up and
// becomes the current one: the oldest entries make room for new ones, and an entry of the
// older generation that is found again is first copied into the current one, so what the
// search still uses outlives its generation. An open-addressing index over both generations
// finds a key; a slot holds the entry's place and some bits of its hash, so most slots of
// other keys are passed over without a look at their entries.
//
// Memory is touched only as the cache fills, and every page touched the first time costs a
// page fault that clears it (about 2 ms per megabyte on the 2-core machine measured), while a
// generation of a few megabytes keeps nearly every part the search finds again. So a
// generation starts small and grows with the work done, by a few words per part stored, and
// twice as fast when the search keeps finding entries of the older generation again, up to
// half of what the bound leaves beside the index; the index doubles as entries arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/bits.h"

namespace mirelkon {

class PartCache {
 public:
  // Memory the cache may touch, in bytes; a bound too small for a single entry stores none.
  explicit PartCache(std::size_t byteBound);
  ~PartCache();
  PartCache(const PartCache&) = delete;
  PartCache& operator=(const PartCache&) = delete;

  // Forgets every entry and the figures below; the memory stays reserved.
  void Clear();

  // Whether a value is stored under the key, and then its words, which stay valid until the
  // next call. The hash may be any function of the key's words that spreads keys over all 64
  // bits.
  bool Find(std::span<const Mask> key, std::uint64_t hash, std::span<const Mask>& value);

  // Stores a value under a key that is not stored yet.
  void Store(std::span<const Mask> key, std::uint64_t hash, std::span<const Mask> value);

  std::uint64_t Replaced() const { return replaced_; }    // entries given up for room
  std::uint64_t PeakBytes() const { return peakBytes_; }  // most memory held at once

 private:
  // An entry: its head, the key's words, then the value's.
  struct Head {
    std::uint64_t hash;
    std::uint32_t valueLength;  // words of the value
    std::uint16_t length;       // words of the key
    std::uint16_t moved;        // copied into the current generation, so this copy is not indexed
  };
  static_assert(sizeof(Head) % sizeof(Mask) == 0);
  static std::size_t EntryWords(std::size_t keyLength, std::size_t valueLength) {
    return sizeof(Head) / sizeof(Mask) + keyLength + valueLength;
  }
  static std::size_t EntryWords(const Head* e) { return EntryWords(e->length, e->valueLength); }
  static std::span<const Mask> ValueOf(const Head* e) {
    return {reinterpret_cast<const Mask*>(e + 1) + e->length, e->valueLength};
  }
  struct Generation {
    Mask* start;
    std::size_t used;  // words written
    std::uint64_t entries;
  };

  Mask* Arena() const;
  std::uint64_t EntryLimit() const;
  std::uint64_t* SlotOf(std::span<const Mask> key, std::uint64_t hash);
  std::uint64_t SlotFor(const Head* entry) const;
  Head* EntryAt(std::uint64_t slot) const;
  bool InOlder(const Head* entry) const;
  Head* Append(std::span<const Mask> key, std::uint64_t hash, std::span<const Mask> value);
  void Index(const Head* entry);
  void IndexGeneration(const Generation& g);
  void GiveUpOlderGeneration();
  void GrowIndex();
  void ResetIndex(int bits);
  void NoteBytes();

  std::byte* memory_;
  std::size_t byteBound_;
  std::uint64_t* index_;
  int indexBits_, maxIndexBits_;
  std::uint64_t indexed_;        // entries in the index
  std::size_t halfWords_;        // the most room of one generation
  std::size_t generationWords_;  // the room of one generation now
  std::uint64_t stored_;         // entries stored since Clear
  Generation current_, older_;
  std::uint64_t olderLive_;  // entries of the older generation not yet copied forward
  std::uint64_t replaced_ = 0;
  std::uint64_t peakBytes_ = 0;
  bool hugePages_ = false;
};

}  // namespace mirelkon
