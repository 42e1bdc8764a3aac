// The derivation runs passes of the interval rule over every slot and of the two composition
// rules over every pair of slots, until a pass appends nothing. Two facts keep it fast without
// changing what it appends, or in which order:
// - A rule only acts through appends, equations never change once normalised, and a search
//   that has found an equation keeps finding it. So a rule application that has once run to
//   its end can never append anything again: each pass applies the interval rule only to slots
//   it has not seen, and the composition rules, per slot i, only to the slots j beyond those
//   already paired with i.
// - A composition rule acts only when slot j names slot i's result as an argument and both are
//   of i's kind, so slot i visits just the occurrence list of its result: the slots of its kind
//   naming that element, in ascending slot order.
#include "core/derivation.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <utility>

#include "core/limits.h"
#include "core/slot_index.h"

namespace mirelkon {

namespace {

enum Kind { join = 0, meet = 1, kindCount = 2 };

std::uint32_t KeyOf(const Equation& e) {
  return static_cast<std::uint32_t>(e.left) | static_cast<std::uint32_t>(e.right) << 8 |
         static_cast<std::uint32_t>(e.result) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(e.operation)) << 24;
}

// A derivation thrown when it stops at a fault, and caught by Derive.
struct Stop {};

class Deriver {
 public:
  Deriver(const PartialLattice& lattice, Derivation& out)
      : lattice_(lattice),
        out_(out),
        n_(lattice.Size()),
        index_(maxConstraints),
        occurrences_{std::vector<std::vector<std::uint16_t>>(n_),
                     std::vector<std::vector<std::uint16_t>>(n_)} {}

  void Normalize();
  void CheckTypedValues();
  void Run();

 private:
  bool Below(int x, int y) const { return lattice_.order.Below(x, y); }
  // The value-table entry of x op y (x <= y) for a join or a meet, else nullptr.
  int* ValueEntry(const Equation& e) {
    if (!e.IsJoin() && !e.IsMeet()) return nullptr;
    return &firstValue_[e.IsMeet()][e.left * maxElements + e.right];
  }
  int Find(const Equation& e) const {
    return index_.Find(KeyOf(e), [&](int s) { return KeyOf(out_.table[s]); });
  }
  void File(int slot) {
    index_.Insert(KeyOf(out_.table[slot]), slot, [&](int s) { return KeyOf(out_.table[s]); });
  }
  [[noreturn]] void Fail(DerivationFault fault) {
    out_.fault = fault;
    throw Stop{};
  }
  void RecordOccurrences(int slot);
  void Append(int x, int y, int z, char operation);
  void Ensure(int x, int y, int w, Kind kind);
  void IntervalRule(int i);
  void Compose(int i, int j);
  void ComposeWithNewSlots(int i, int bound);
  bool RunPass();

  const PartialLattice& lattice_;
  Derivation& out_;
  const int n_;
  SlotIndex index_;
  std::vector<int> firstValue_[kindCount] = {std::vector<int>(maxElements * maxElements, -1),
                                             std::vector<int>(maxElements* maxElements, -1)};
  // Slots of one kind naming one element as left or right argument, ascending.
  std::vector<std::vector<std::uint16_t>> occurrences_[kindCount];
  // For slot i, how many entries of the occurrence list of its result were paired with i.
  std::vector<int> paired_;
  int intervalRuleDoneUpTo_ = 0;        // slots below this have had the interval rule applied
  std::array<int, 2> rule_ = {-1, -1};  // the slots read by the rule now applied
};

void Deriver::Normalize() {
  out_.table = lattice_.equations;
  out_.typedCount = static_cast<int>(out_.table.size());
  for (int k = 0; k < out_.typedCount; ++k) {
    Equation& e = out_.table[k];
    if (e.right < e.left) std::swap(e.left, e.right);
    File(k);
  }
}

void Deriver::CheckTypedValues() {
  for (int k = 0; k < out_.typedCount; ++k) {
    const Equation& e = out_.table[k];
    int* entry = ValueEntry(e);
    if (entry == nullptr) continue;
    if (*entry < 0) {
      *entry = k;
    } else if (out_.table[*entry].result != e.result) {
      Fail({DerivationFault::secondValue, e, k, *entry});
    }
  }
}

void Deriver::RecordOccurrences(int slot) {
  const Equation& e = out_.table[slot];
  if (!e.IsJoin() && !e.IsMeet()) return;
  auto& lists = occurrences_[e.IsJoin() ? join : meet];
  lists[e.left].push_back(static_cast<std::uint16_t>(slot));
  if (e.right != e.left) lists[e.right].push_back(static_cast<std::uint16_t>(slot));
}

// Appends x op y = z in normal form (x and y may come in either order), after the checks for
// an element named twice, a second value of the pair and a full table, in this order.
void Deriver::Append(int x, int y, int z, char operation) {
  const auto u8 = [](int e) { return static_cast<std::uint8_t>(e); };
  if (x == z || y == z || x == y)
    Fail({DerivationFault::forbidden, {u8(x), u8(y), u8(z), operation}, -1, -1, rule_});
  const Equation e = {u8(std::min(x, y)), u8(std::max(x, y)), u8(z), operation};
  int* entry = ValueEntry(e);
  if (entry != nullptr && *entry >= 0 && out_.table[*entry].result != z)
    Fail({DerivationFault::secondValue, e, -1, *entry, rule_});
  if (static_cast<int>(out_.table.size()) >= maxConstraints) Fail({DerivationFault::tableFull, e});
  const int k = static_cast<int>(out_.table.size());
  assert(e.left < e.right && e.result != e.left && e.result != e.right);
  assert(rule_[0] >= 0 && rule_[0] < k && rule_[1] < k);
  out_.table.push_back(e);
  out_.parents.push_back(rule_);
  File(k);
  if (entry != nullptr && *entry < 0) *entry = k;
  RecordOccurrences(k);
  paired_.push_back(0);
}

// Makes sure x op y = w is in the table, appending it (x, y in the order given) if not. An
// equation naming one element twice is never found, so it is appended and refused.
void Deriver::Ensure(int x, int y, int w, Kind kind) {
  const char operation = kind == join ? joinSymbol : meetSymbol;
  const auto u8 = [](int e) { return static_cast<std::uint8_t>(e); };
  if (x != y && Find({u8(std::min(x, y)), u8(std::max(x, y)), u8(w), operation}) >= 0) return;
  Append(x, y, w, operation);
}

void Deriver::IntervalRule(int i) {
  const Equation c = out_.table[i];
  const int a = c.left, b = c.right, z = c.result;
  rule_ = {i, -1};
  if (c.IsJoin())
    for (int k = 0; k < n_; ++k) {
      if (Below(a, k) && Below(k, z) && k != a && k != z) Ensure(k, b, z, join);
      if (Below(b, k) && Below(k, z) && k != b && k != z) Ensure(k, a, z, join);
    }
  if (c.IsMeet())
    for (int k = 0; k < n_; ++k) {
      if (Below(z, k) && Below(k, a) && k != a && k != z) Ensure(k, b, z, meet);
      if (Below(z, k) && Below(k, b) && k != b && k != z) Ensure(k, a, z, meet);
    }
}

// The composition of slot i with slot j, which names i's result and is of i's kind; for the
// meet the order is read upside down.
void Deriver::Compose(int i, int j) {
  const Equation first = out_.table[i], second = out_.table[j];
  // The other argument of slot j; when both are i's result, the right one's test decides.
  int t = -1;
  if (second.left == first.result) t = second.right;
  if (second.right == first.result) t = second.left;
  assert(t >= 0);
  rule_ = {i, j};
  const int a = first.left, b = first.right, w = second.result;
  const bool upward = first.IsJoin();
  const Kind kind = upward ? join : meet;
  if (upward ? Below(b, t) : Below(t, b)) Ensure(a, t, w, kind);
  if (upward ? Below(a, t) : Below(t, a)) Ensure(b, t, w, kind);
}

// Pairs slot i with the not yet paired slots j <= bound that name i's result.
void Deriver::ComposeWithNewSlots(int i, int bound) {
  const Equation& e = out_.table[i];
  if (!e.IsJoin() && !e.IsMeet()) return;
  const std::vector<std::uint16_t>& list = occurrences_[e.IsJoin() ? join : meet][e.result];
  int paired = paired_[i];
  for (; paired < static_cast<int>(list.size()) && list[paired] <= bound; ++paired) {
    assert(paired == 0 || list[paired - 1] < list[paired]);  // ascending slots
    Compose(i, list[paired]);
  }
  paired_[i] = paired;
}

// One pass; answers whether it appended anything.
bool Deriver::RunPass() {
  const int countBefore = static_cast<int>(out_.table.size());
  for (int i = intervalRuleDoneUpTo_; i < countBefore; ++i) IntervalRule(i);
  intervalRuleDoneUpTo_ = countBefore;
  const int compositionBound = static_cast<int>(out_.table.size());
  for (int i = 0; i < compositionBound; ++i)
    ComposeWithNewSlots(i, static_cast<int>(out_.table.size()) - 1);
  return static_cast<int>(out_.table.size()) != countBefore;
}

void Deriver::Run() {
  assert(std::all_of(out_.table.begin(), out_.table.end(),
                     [](const Equation& e) { return e.left <= e.right; }));
  out_.ran = true;
  paired_.assign(out_.table.size(), 0);
  for (int k = 0; k < out_.typedCount; ++k) RecordOccurrences(k);
  while (RunPass()) {
  }
}

}  // namespace

std::vector<int> Derivation::TypedSources(std::array<int, 2> slots) const {
  std::vector<bool> marked(table.size(), false);
  for (int s : slots)
    if (s >= 0) marked[s] = true;
  // Parents always lie below the slot they produced, so one downward sweep over the derived
  // slots reaches every ancestor.
  for (int s = static_cast<int>(table.size()) - 1; s >= typedCount; --s) {
    if (!marked[s]) continue;
    for (int parent : parents[s - typedCount])
      if (parent >= 0) marked[parent] = true;
  }
  std::vector<int> sources;
  for (int s = 0; s < typedCount; ++s)
    if (marked[s]) sources.push_back(s);
  return sources;
}

Derivation Derive(const PartialLattice& lattice) {
  assert(static_cast<int>(lattice.equations.size()) <= maxConstraints);
  Derivation out;
  Deriver deriver(lattice, out);
  try {
    deriver.Normalize();
    deriver.CheckTypedValues();
    if (lattice.HasJoinOrMeet()) deriver.Run();
  } catch (const Stop&) {
    assert(out.fault);
  }
  return out;
}

}  // namespace mirelkon
