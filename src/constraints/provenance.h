// Where derived constraints come from. For every derived slot the table keeps the one or
// two slots of the rule application that appended it, so a contradiction found in a
// derived constraint can be traced back to the typed equations behind it and the user told
// which lines to look at.
#pragma once

#include <cstdint>
#include <string>

#include "model/job_model.h"
#include "session/fatal_error.h"

struct Provenance {
  std::uint16_t parents[maxConstraints + 1][2];  // rule slots of each derived slot; 0: none
  std::uint16_t rule[2];                         // slots read by the rule now applied
  bool marked[maxConstraints + 1];               // scratch for tracing back
};

extern Provenance provenance;

// Set by the derivation before each rule application: what it appends follows from slots
// i and j (j is 0 for a rule that reads one slot).
inline void StartRule(int i, int j) {
  provenance.rule[0] = static_cast<std::uint16_t>(i);
  provenance.rule[1] = static_cast<std::uint16_t>(j);
}

// Slot k has just been appended by the rule now applied.
void RecordParents(int k);

// Where slot k stands or comes from: "a+b=c is given here" on its line for a typed
// equation, or, for a derived one, "a+b=c follows from x+y=z (line 12), ... and the order"
// on the line of the first typed equation it follows from.
DiagnosticNote OriginNote(int k);

// The same for the constraint with the written form given that the rule now applied is
// about to derive.
DiagnosticNote RuleOriginNote(const std::string& form);
