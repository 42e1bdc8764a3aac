// The derivation runs passes of the interval rule over every slot and of the two
// composition rules over every pair of slots, until a pass appends nothing. Two facts keep
// it fast without changing what it appends, or in which order:
// - A rule only acts through appends, records never change once normalised, and a search
//   that has found a constraint keeps finding it. So a rule application that has once run
//   to its end can never append anything again: each pass applies the interval rule only
//   to slots it has not seen, and the composition rules, per slot i, only to the slots j
//   beyond those already paired with i.
// - A composition rule acts only when slot j names slot i's result as an argument and
//   both are of i's kind, so slot i visits just the occurrence list of its result: the
//   slots of its kind naming that element, in ascending slot order.
#include "constraints/derivation.h"

#include <algorithm>
#include <cstdint>

#include "constraints/constraint_listing.h"
#include "constraints/constraint_table.h"
#include "constraints/provenance.h"
#include "model/job_model.h"
#include "session/report.h"

namespace {

enum Kind { join = 0, meet = 1, kindCount = 2 };

// Slots of one kind naming one element as left or right argument, ascending.
struct OccurrenceList {
  int length;
  std::uint16_t slots[maxConstraints];
};

struct Derivation {
  int operation[kindCount];  // operation numbers of join and meet, 0 when absent
  int intervalRuleDoneUpTo;  // slots 1..this have had the interval rule applied
  // For slot i, how many entries of the occurrence list of its result were paired with i.
  std::uint16_t pairedCount[maxConstraints + 1];
  OccurrenceList occurrences[kindCount][maxElements + 1];
};

Derivation derivation;

bool Below(int x, int y) {
  return job.orderMatrix[x][y];
}

void RecordOccurrences(int k) {
  const ConstraintKind& kind = job.constraintKinds[k];
  if (!kind.isJoin && !kind.isMeet) return;
  OccurrenceList* lists = derivation.occurrences[kind.isJoin ? join : meet];
  const ConstraintRecord& c = job.constraintTable[k];
  lists[c.left].slots[lists[c.left].length++] = static_cast<std::uint16_t>(k);
  if (c.right != c.left)
    lists[c.right].slots[lists[c.right].length++] = static_cast<std::uint16_t>(k);
}

void StartDerivation() {
  derivation.operation[join] = OperationNumber('+');
  derivation.operation[meet] = OperationNumber('*');
  derivation.intervalRuleDoneUpTo = 0;
  std::fill(std::begin(derivation.pairedCount), std::end(derivation.pairedCount), 0);
  for (auto& lists : derivation.occurrences)
    for (OccurrenceList& list : lists) list.length = 0;
  for (int k = 1; k <= job.constraintCount; ++k) RecordOccurrences(k);
}

// Makes sure x op y = w is in the table, appending it (x, y in the order given) if not.
void Ensure(int x, int y, int w, Kind kind) {
  const int op = derivation.operation[kind];
  if (FindConstraint(MinElement(x, y), MaxElement(x, y), w, op) != 0) return;
  AddDerivedConstraint(x, y, w, op);
  RecordOccurrences(job.constraintCount);
}

// The other argument of slot j when one of its arguments is z, else 0; when both are z
// the right argument's test, made last, decides.
int PartnerOf(int j, int z) {
  const ConstraintRecord& c = job.constraintTable[j];
  int t = 0;
  if (c.left == z) t = c.right;
  if (c.right == z) t = c.left;
  return t;
}

// The composition of slot i with slot j; for the meet the order is read upside down.
void Compose(int i, int j, Kind kind) {
  const ConstraintRecord first = job.constraintTable[i];
  const int w = job.constraintTable[j].result;
  const int t = PartnerOf(j, first.result);
  if (t == 0) return;
  StartRule(i, j);
  const int a = first.left, b = first.right;
  const bool upward = kind == join;
  if (upward ? Below(b, t) : Below(t, b)) Ensure(a, t, w, kind);
  if (upward ? Below(a, t) : Below(t, a)) Ensure(b, t, w, kind);
}

// Pairs slot i with the not yet paired slots j <= bound that name i's result.
void ComposeWithNewSlots(int i, int bound) {
  const ConstraintKind& kind = job.constraintKinds[i];
  if (!kind.isJoin && !kind.isMeet) return;
  const OccurrenceList& list =
      derivation.occurrences[kind.isJoin ? join : meet][job.constraintTable[i].result];
  int paired = derivation.pairedCount[i];
  for (; paired < list.length && list.slots[paired] <= bound; ++paired) {
    if (kind.isJoin)
      JoinCompositionRule(i, list.slots[paired]);
    else
      MeetCompositionRule(i, list.slots[paired]);
  }
  derivation.pairedCount[i] = static_cast<std::uint16_t>(paired);
}

// One pass; answers whether it appended anything.
bool RunPass() {
  const int countBefore = job.constraintCount;
  const int intervalBound = job.constraintCount;
  for (int i = derivation.intervalRuleDoneUpTo + 1; i <= intervalBound; ++i) IntervalRule(i);
  derivation.intervalRuleDoneUpTo = intervalBound;
  const int compositionBound = job.constraintCount;
  for (int i = 1; i <= compositionBound; ++i) ComposeWithNewSlots(i, job.constraintCount);
  return job.constraintCount != countBefore;
}

}  // namespace

void IntervalRule(int i) {
  const ConstraintRecord c = job.constraintTable[i];
  const ConstraintKind kind = job.constraintKinds[i];
  const int a = c.left, b = c.right, z = c.result;
  const int n = job.latticeSize;
  StartRule(i, 0);
  if (kind.isJoin)
    for (int k = 1; k <= n; ++k) {
      if (Below(a, k) && Below(k, z) && k != a && k != z) Ensure(k, b, z, join);
      if (Below(b, k) && Below(k, z) && k != b && k != z) Ensure(k, a, z, join);
    }
  if (kind.isMeet)
    for (int k = 1; k <= n; ++k) {
      if (Below(z, k) && Below(k, a) && k != a && k != z) Ensure(k, b, z, meet);
      if (Below(z, k) && Below(k, b) && k != b && k != z) Ensure(k, a, z, meet);
    }
}

void JoinCompositionRule(int i, int j) {
  if (job.constraintKinds[i].isJoin && job.constraintKinds[j].isJoin) Compose(i, j, join);
}

void MeetCompositionRule(int i, int j) {
  if (job.constraintKinds[i].isMeet && job.constraintKinds[j].isMeet) Compose(i, j, meet);
}

void ListConstraintsVerbose() {
  WriteBothLine("-- The initial constraints in normalized form:");
  ListConstraintSlots(1, job.initialConstraintCount);
  if (job.constraintCount == job.initialConstraintCount) {
    WriteBothLine("-- No additional constraints have been derived.");
    return;
  }
  WriteBothLine("-- The list of derived constraints:");
  ListConstraintSlots(job.initialConstraintCount + 1, job.constraintCount);
}

void DeriveConstraints() {
  job.initialConstraintCount = job.constraintCount;
  NormalizeConstraints();
  CheckJoinAndMeetValues();
  if (OperationNumber('+') == 0 && OperationNumber('*') == 0) return;
  StartDerivation();
  while (RunPass()) {
  }
  if (run.verbose)
    ListConstraintsVerbose();
  else if (job.constraintCount == job.initialConstraintCount)
    WriteBothLine("No     derived constraints have been added .");
}
