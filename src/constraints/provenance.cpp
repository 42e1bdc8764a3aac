// Tracing derived constraints back to the typed equations they follow from.
#include "constraints/provenance.h"

#include <algorithm>

Provenance provenance;

namespace {

// A note names at most this many typed equations; the rest are counted.
constexpr int namedSourceLimit = 8;

// Marks the typed slots that slots i and j follow from. Parents always lie below the slot
// they produced, so one downward sweep over the derived slots reaches every ancestor.
void MarkTypedSources(int i, int j) {
  std::fill(provenance.marked, provenance.marked + job.constraintCount + 1, false);
  provenance.marked[i] = provenance.marked[j] = true;
  for (int s = job.constraintCount; s > job.initialConstraintCount; --s) {
    if (!provenance.marked[s]) continue;
    provenance.marked[provenance.parents[s][0]] = true;
    provenance.marked[provenance.parents[s][1]] = true;
  }
}

DiagnosticNote DerivationNote(const std::string& form, int i, int j) {
  MarkTypedSources(i, j);
  DiagnosticNote note{0, form + " follows from "};
  int named = 0, unnamed = 0;
  for (int s = 1; s <= job.initialConstraintCount; ++s) {
    if (!provenance.marked[s]) continue;
    if (named == 0) note.line = job.constraintLines[s];
    if (named == namedSourceLimit) {
      ++unnamed;
      continue;
    }
    note.text += WrittenForm(s) + " (line " + std::to_string(job.constraintLines[s]) + "), ";
    ++named;
  }
  if (unnamed > 0) note.text += std::to_string(unnamed) + " more typed equations, ";
  if (named > 0) note.text.erase(note.text.size() - 2);
  note.text += named > 0 ? " and the order" : "the order";
  return note;
}

}  // namespace

void RecordParents(int k) {
  provenance.parents[k][0] = provenance.rule[0];
  provenance.parents[k][1] = provenance.rule[1];
}

DiagnosticNote OriginNote(int k) {
  if (k <= job.initialConstraintCount)
    return {job.constraintLines[k], WrittenForm(k) + " is given here"};
  return DerivationNote(WrittenForm(k), provenance.parents[k][0], provenance.parents[k][1]);
}

DiagnosticNote RuleOriginNote(const std::string& form) {
  return DerivationNote(form, provenance.rule[0], provenance.rule[1]);
}
