// Normal form, indexed search and append of the constraint table. The index is an
// open-addressing hash set of slot numbers keyed by the whole four-byte record; it holds
// the lowest slot of every distinct record, so a search costs a few probes instead of a
// scan of the table.
#include "constraints/constraint_table.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "model/job_model.h"
#include "session/fatal_error.h"
#include "session/report.h"

namespace {

constexpr int bucketBits = 13;
constexpr int bucketCount = 1 << bucketBits;  // at least twice maxConstraints: short probes
static_assert(bucketCount >= 2 * maxConstraints);

struct ConstraintIndex {
  std::uint16_t slotOf[bucketCount];  // 0: empty bucket
};

ConstraintIndex index;

std::uint32_t Key(int left, int right, int result, int op) {
  return static_cast<std::uint32_t>(left) | static_cast<std::uint32_t>(right) << 8 |
         static_cast<std::uint32_t>(result) << 16 | static_cast<std::uint32_t>(op) << 24;
}

std::uint32_t KeyOfSlot(int k) {
  const ConstraintRecord& c = job.constraintTable[k];
  return Key(c.left, c.right, c.result, c.operation);
}

int FirstBucket(std::uint32_t key) {
  return static_cast<int>((key * 0x9E3779B1u) >> (32 - bucketBits));
}

int NextBucket(int bucket) {
  return (bucket + 1) & (bucketCount - 1);
}

// Slots are indexed in ascending order, so a record already present keeps its lower slot.
void IndexSlot(int k) {
  const std::uint32_t key = KeyOfSlot(k);
  int bucket = FirstBucket(key);
  while (index.slotOf[bucket] != 0) {
    if (KeyOfSlot(index.slotOf[bucket]) == key) return;
    bucket = NextBucket(bucket);
  }
  index.slotOf[bucket] = static_cast<std::uint16_t>(k);
}

[[noreturn]] void ReportForbidden(int x, int y, int z, int op) {
  const std::string line =
      std::string("Check the data because of the forbidden derived constraint: ") +
      job.elementSymbols[x - 1] + run.operationSymbols[op - 1] + job.elementSymbols[y - 1] + '=' +
      job.elementSymbols[z - 1];
  WriteScreenLine();
  WriteResultLine();
  WriteScreenLine(line);
  WriteResultLine(line);
  FatalDataError("(code) as reported above");
}

}  // namespace

void NormalizeConstraints() {
  std::fill(std::begin(index.slotOf), std::end(index.slotOf), 0);
  for (int k = 1; k <= job.constraintCount; ++k) {
    ConstraintRecord& c = job.constraintTable[k];
    if (c.right < c.left) std::swap(c.left, c.right);
    IndexSlot(k);
  }
}

int FindConstraint(int x, int y, int z, int op) {
  if (x >= y) return 0;
  const std::uint32_t key = Key(x, y, z, op);
  for (int bucket = FirstBucket(key); index.slotOf[bucket] != 0; bucket = NextBucket(bucket))
    if (KeyOfSlot(index.slotOf[bucket]) == key) return index.slotOf[bucket];
  return 0;
}

// A full table is refused before the count moves, so the count never names a slot
// beyond the table, even while the error travels to Main.
void AddDerivedConstraint(int x, int y, int z, int op) {
  if (x == z || y == z || x == y) ReportForbidden(x, y, z, op);
  if (job.constraintCount >= maxConstraints) FatalDataError("(cod-ugW5s) too many constraints");
  const int k = ++job.constraintCount;
  job.constraintTable[k] = {static_cast<std::uint8_t>(MinElement(x, y)),
                            static_cast<std::uint8_t>(MaxElement(x, y)),
                            static_cast<std::uint8_t>(z), static_cast<std::uint8_t>(op)};
  job.constraintKinds[k] = {op == OperationNumber('+'), op == OperationNumber('*')};
  IndexSlot(k);
}
