// Derivation faults as data errors.
#include "input/derivation_fault.h"

#include <array>
#include <cassert>
#include <string>

#include "core/lattice.h"
#include "input/lattice_completion.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

// A note names at most this many typed equations; the rest are counted.
constexpr int namedSourceLimit = 8;

// Where the equations behind derived slots were typed: "a+b=c follows from x+y=z (line 12),
// ... and the order", on the line of the first of them.
DiagnosticNote DerivationNote(const ParsedJob& job, const Derivation& derivation,
                              const std::string& form, std::array<int, 2> slots) {
  DiagnosticNote note{0, form + " follows from "};
  int named = 0, unnamed = 0;
  for (int s : derivation.TypedSources(slots)) {
    if (named == 0) note.line = job.equationLines[s];
    if (named == namedSourceLimit) {
      ++unnamed;
      continue;
    }
    note.text += job.lattice.WrittenForm(derivation.table[s]) + " (line " +
                 std::to_string(job.equationLines[s]) + "), ";
    ++named;
  }
  if (unnamed > 0) note.text += std::to_string(unnamed) + " more typed equations, ";
  if (named > 0) note.text.erase(note.text.size() - 2);
  note.text += named > 0 ? " and the order" : "the order";
  return note;
}

// Where slot k stands or comes from.
DiagnosticNote OriginNote(const ParsedJob& job, const Derivation& derivation, int k) {
  const std::string form = job.lattice.WrittenForm(derivation.table[k]);
  if (k < derivation.typedCount) return {job.equationLines[k], form + " is given here"};
  return DerivationNote(job, derivation, form, derivation.parents[k - derivation.typedCount]);
}

// The forbidden equation told in full, for a record that cannot point at the screen: where
// it comes from and, when the edges form a cycle (which makes its elements equal), the cycle.
std::string ForbiddenText(const ParsedJob& job, const std::string& form,
                          const DiagnosticNote& origin) {
  std::string text = "(code) forbidden derived constraint " + form + ": " + origin.text;
  const LatticeCheck check = CheckLattice(job.lattice.order);
  if (check.fault && check.fault->kind == LatticeFault::cycle)
    text +=
        "; the edges form a cycle: " +
        LatticeFaultText(job.lattice, *check.fault).substr(std::string("not a lattice: ").size());
  return text;
}

}  // namespace

DataError DerivationError(const ParsedJob& job, const Derivation& derivation, int line) {
  assert(derivation.fault);
  const DerivationFault& fault = *derivation.fault;
  const std::string form = job.lattice.WrittenForm(fault.equation);
  if (fault.kind == DerivationFault::forbidden) {
    DiagnosticNote origin = DerivationNote(job, derivation, form, fault.rule);
    const int at = origin.line;
    std::string record = ForbiddenText(job, form, origin);
    return {.message = "(code) as reported above",
            .line = at,
            .notes = {std::move(origin)},
            .record = std::move(record)};
  }
  if (fault.kind == DerivationFault::secondValue) {
    const std::string message =
        Concat({"(codeTwoVal) ", std::string_view(form).substr(0, 3), " has two values: ",
                job.lattice.WrittenForm(derivation.table[fault.firstValue]), " and ", form});
    const DiagnosticNote first = OriginNote(job, derivation, fault.firstValue);
    if (fault.typedSlot >= 0) return {message, job.equationLines[fault.typedSlot], {first}, {}};
    DiagnosticNote origin = DerivationNote(job, derivation, form, fault.rule);
    const int at = origin.line;
    return {message, at, {std::move(origin), first}, {}};
  }
  assert(fault.kind == DerivationFault::tableFull);
  return {"(cod-ugW5s) too many constraints", line, {}, {}};
}

}  // namespace mirelkon
