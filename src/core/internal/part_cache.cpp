// The cache of counted parts: two generations of entries in one arena, and their index.
#include "core/internal/part_cache.h"

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <new>

namespace mirelkon {

namespace {

// A slot is 0 when empty, else the entry's word offset + 1 in its low bits and some bits of
// the key's hash above them, which tell most other keys apart without a look at the entry.
constexpr int offsetBits = 40;
constexpr std::uint64_t offsetMask = (std::uint64_t{1} << offsetBits) - 1;

std::uint64_t TagOf(std::uint64_t hash) {
  return hash << offsetBits;
}

// The index starts at 1024 slots (8 KB) and takes at most an eighth of the bound.
constexpr int firstIndexBits = 10;
constexpr int leastIndexBits = 4;

// The cache size from which it asks for huge pages.
constexpr std::uint64_t hugePagesFrom = std::uint64_t{4} << 20;

// A generation starts at 256 KB and may grow by 16 bytes for every entry stored.
constexpr std::size_t firstGenerationWords = std::size_t{1} << 15;
constexpr std::size_t generationWordsPerEntry = 2;

// When more than one entry in foundAgainShare of the generation given up had been found again,
// the search still uses old entries, and the next generation is twice as large.
constexpr std::uint64_t foundAgainShare = 8;

}  // namespace

// The memory is reserved, not committed: a count touches only what it stores.
PartCache::PartCache(std::size_t byteBound) : byteBound_(std::max<std::size_t>(byteBound, 4096)) {
  void* at = mmap(nullptr, byteBound_, PROT_READ | PROT_WRITE,
                  MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (at == MAP_FAILED) throw std::bad_alloc();
  memory_ = static_cast<std::byte*>(at);
  maxIndexBits_ = std::bit_width(byteBound_ / 64) - 1;
  const std::size_t indexBytes = sizeof(std::uint64_t) << maxIndexBits_;
  index_ = reinterpret_cast<std::uint64_t*>(memory_);
  halfWords_ = (byteBound_ - indexBytes) / (2 * sizeof(Mask));
  Clear();
}

PartCache::~PartCache() {
  munmap(memory_, byteBound_);
}

void PartCache::Clear() {
  current_ = {Arena(), 0, 0};
  older_ = {Arena() + halfWords_, 0, 0};
  generationWords_ = std::min(firstGenerationWords, halfWords_);
  stored_ = 0;
  olderLive_ = 0;
  replaced_ = 0;
  peakBytes_ = 0;
  ResetIndex(std::min(firstIndexBits, maxIndexBits_));
}

void PartCache::ResetIndex(int bits) {
  indexBits_ = bits;
  indexed_ = 0;
  std::memset(index_, 0, sizeof(std::uint64_t) << bits);
}

// The arena follows the largest index.
Mask* PartCache::Arena() const {
  return reinterpret_cast<Mask*>(memory_ + (sizeof(std::uint64_t) << maxIndexBits_));
}

PartCache::Head* PartCache::EntryAt(std::uint64_t slot) const {
  return reinterpret_cast<Head*>(Arena() + ((slot & offsetMask) - 1));
}

bool PartCache::InOlder(const Head* entry) const {
  const Mask* at = reinterpret_cast<const Mask*>(entry);
  return at >= older_.start && at < older_.start + halfWords_;
}

// The slot holding this key's entry, or the empty slot where it belongs.
std::uint64_t* PartCache::SlotOf(std::span<const Mask> key, std::uint64_t hash) {
  const std::uint64_t mask = (std::uint64_t{1} << indexBits_) - 1;
  const std::uint64_t tag = TagOf(hash);
  for (std::uint64_t at = hash >> (64 - indexBits_);; at = (at + 1) & mask) {
    std::uint64_t& slot = index_[at];
    if (slot == 0) return &slot;
    if ((slot & ~offsetMask) != tag) continue;
    const Head* e = EntryAt(slot);
    if (e->hash == hash && e->length == key.size() &&
        std::memcmp(e + 1, key.data(), key.size_bytes()) == 0)
      return &slot;
  }
}

std::uint64_t PartCache::SlotFor(const Head* entry) const {
  const std::uint64_t offset =
      static_cast<std::uint64_t>(reinterpret_cast<const Mask*>(entry) - Arena());
  return TagOf(entry->hash) | (offset + 1);
}

void PartCache::Index(const Head* entry) {
  const std::span<const Mask> key{reinterpret_cast<const Mask*>(entry + 1), entry->length};
  std::uint64_t* slot = SlotOf(key, entry->hash);
  assert(*slot == 0);
  *slot = SlotFor(entry);
  ++indexed_;
}

PartCache::Head* PartCache::Append(std::span<const Mask> key, std::uint64_t hash,
                                   std::span<const Mask> value) {
  assert(current_.used + EntryWords(key.size(), value.size()) <= generationWords_);
  Head* e = reinterpret_cast<Head*>(current_.start + current_.used);
  *e = {hash, static_cast<std::uint32_t>(value.size()), static_cast<std::uint16_t>(key.size()), 0};
  Mask* words = reinterpret_cast<Mask*>(e + 1);
  std::memcpy(words, key.data(), key.size_bytes());
  std::memcpy(words + key.size(), value.data(), value.size_bytes());
  current_.used += EntryWords(e);
  ++current_.entries;
  NoteBytes();
  return e;
}

// An entry of the older generation found again is copied into the current one, where room is
// left, so that it survives when the older generation is given up.
bool PartCache::Find(std::span<const Mask> key, std::uint64_t hash, std::span<const Mask>& value) {
  std::uint64_t* slot = SlotOf(key, hash);
  if (*slot == 0) return false;
  Head* e = EntryAt(*slot);
  if (InOlder(e) && current_.used + EntryWords(e) <= generationWords_ &&
      current_.entries < EntryLimit()) {
    e->moved = 1;
    --olderLive_;
    e = Append(key, hash, ValueOf(e));
    *slot = SlotFor(e);
  }
  value = ValueOf(e);
  return true;
}

void PartCache::Store(std::span<const Mask> key, std::uint64_t hash, std::span<const Mask> value) {
  const std::size_t words = EntryWords(key.size(), value.size());
  if (maxIndexBits_ < leastIndexBits || words > halfWords_) return;
  if (current_.used + words > generationWords_ || current_.entries == EntryLimit())
    GiveUpOlderGeneration();
  if (2 * (indexed_ + 1) > std::uint64_t{1} << indexBits_) GrowIndex();
  Index(Append(key, hash, value));
  ++stored_;
}

// A generation holds at most a quarter as many entries as the largest index has slots, so the
// two fill it at most half.
std::uint64_t PartCache::EntryLimit() const {
  return std::uint64_t{1} << (maxIndexBits_ - 2);
}

// The current generation becomes the older one, and the older one's place, with the entries
// not copied out of it, is given to the new current generation. A search in a fixed order,
// as along the levels of a distributive lattice, finds many parts again long after it counted
// them: the share of the older generation found again tells, and the generation grows.
void PartCache::GiveUpOlderGeneration() {
  generationWords_ = std::clamp(stored_ * generationWordsPerEntry, generationWords_, halfWords_);
  if (foundAgainShare * (older_.entries - olderLive_) > older_.entries)
    generationWords_ = std::min(2 * generationWords_, halfWords_);
  replaced_ += olderLive_;
  const Generation given = older_;
  older_ = current_;
  olderLive_ = older_.entries;
  current_ = {given.start, 0, 0};
  ResetIndex(indexBits_);
  IndexGeneration(older_);
}

// Doubles the index and files every entry anew.
void PartCache::GrowIndex() {
  assert(indexBits_ < maxIndexBits_);
  ResetIndex(indexBits_ + 1);
  IndexGeneration(older_);
  IndexGeneration(current_);
  NoteBytes();
}

void PartCache::IndexGeneration(const Generation& g) {
  for (std::size_t at = 0; at < g.used;) {
    const Head* e = reinterpret_cast<const Head*>(g.start + at);
    if (e->moved == 0) Index(e);
    at += EntryWords(e);
  }
}

// Once the cache holds a few megabytes, the rest of its memory is asked for on huge pages,
// where the system offers them on request: on 4 KB pages a large count spends much of its
// time in page faults. A small count does without, as the first huge page it touched would
// cost it more than its whole count. A refusal costs only speed.
void PartCache::NoteBytes() {
  const std::uint64_t bytes =
      (sizeof(std::uint64_t) << indexBits_) + sizeof(Mask) * (current_.used + older_.used);
  peakBytes_ = std::max(peakBytes_, bytes);
#ifdef MADV_HUGEPAGE
  if (!hugePages_ && bytes > hugePagesFrom) {
    madvise(memory_, byteBound_, MADV_HUGEPAGE);
    hugePages_ = true;
  }
#endif
}

}  // namespace mirelkon
