// Normal form, indexed search and append of the constraint table. The index is an
// open-addressing hash set of slot numbers keyed by the whole four-byte record; it holds
// the lowest slot of every distinct record, so a search costs a few probes instead of a
// scan of the table. Beside it, the value table holds for each pair of arguments of the
// join and of the meet the first slot that gave the pair a value: a second value is one
// look-up away.
#include "constraints/constraint_table.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "constraints/provenance.h"
#include "model/job_model.h"
#include "model/short_string.h"
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

struct ValueTable {
  std::uint16_t slotOf[2][maxElements + 1][maxElements + 1];  // [meet][left][right]; 0: none
};

ValueTable values;

// The value-table entry of x op y for a join or a meet (x <= y), else nullptr.
std::uint16_t* ValueEntry(const ConstraintKind& kind, int x, int y) {
  if (!kind.isJoin && !kind.isMeet) return nullptr;
  return &values.slotOf[kind.isMeet][x][y];
}

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

// Reported with x and y as passed; the note names the typed equations behind it.
[[noreturn]] void ReportForbidden(int x, int y, int z, int op) {
  const std::string form = WrittenForm(x, run.operationSymbols[op - 1], y, z);
  const std::string line = "Check the data because of the forbidden derived constraint: " + form;
  WriteScreenLine();
  WriteResultLine();
  WriteScreenLine(line);
  WriteResultLine(line);
  const DiagnosticNote origin = RuleOriginNote(form);
  FatalDataErrorAt(origin.line, "(code) as reported above", {origin});
}

// Slot first gave the pair a value; second, typed or derived, gives it another one. The
// error stands on the line of the second, or of a typed equation it follows from; a note
// says where the first comes from.
[[noreturn]] void ReportTwoValues(int first, const std::string& second, int line,
                                  std::vector<DiagnosticNote> notes) {
  notes.push_back(OriginNote(first));
  FatalDataErrorAt(line,
                   Concat({"(codeTwoVal) ", std::string_view(second).substr(0, 3),
                           " has two values: ", WrittenForm(first), " and ", second}),
                   std::move(notes));
}

}  // namespace

void NormalizeConstraints() {
  std::fill(std::begin(index.slotOf), std::end(index.slotOf), 0);
  values = {};
  StartRule(0, 0);
  for (int k = 1; k <= job.constraintCount; ++k) {
    ConstraintRecord& c = job.constraintTable[k];
    if (c.right < c.left) std::swap(c.left, c.right);
    IndexSlot(k);
  }
}

void CheckJoinAndMeetValues() {
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    std::uint16_t* entry = ValueEntry(job.constraintKinds[k], c.left, c.right);
    if (entry == nullptr) continue;
    if (*entry == 0) {
      *entry = static_cast<std::uint16_t>(k);
    } else if (job.constraintTable[*entry].result != c.result) {
      ReportTwoValues(*entry, WrittenForm(k), job.constraintLines[k], {});
    }
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
  const int left = MinElement(x, y), right = MaxElement(x, y);
  const ConstraintKind kind = {op == OperationNumber('+'), op == OperationNumber('*')};
  std::uint16_t* entry = ValueEntry(kind, left, right);
  if (entry != nullptr && *entry != 0 && job.constraintTable[*entry].result != z) {
    const std::string form = WrittenForm(left, run.operationSymbols[op - 1], right, z);
    const DiagnosticNote origin = RuleOriginNote(form);
    ReportTwoValues(*entry, form, origin.line, {origin});
  }
  if (job.constraintCount >= maxConstraints) FatalDataError("(cod-ugW5s) too many constraints");
  const int k = ++job.constraintCount;
  job.constraintTable[k] = {static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(right),
                            static_cast<std::uint8_t>(z), static_cast<std::uint8_t>(op)};
  job.constraintKinds[k] = kind;
  IndexSlot(k);
  if (entry != nullptr && *entry == 0) *entry = static_cast<std::uint16_t>(k);
  RecordParents(k);
}
