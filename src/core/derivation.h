// Derivation of the join and meet equations that follow, in every lattice, from a partial
// lattice's equations and its order. Three rules, applied pass after pass until a pass adds
// nothing:
//   interval rule:    from a+b=z and a <= k <= z: k+b=z (dually for the meet);
//   join composition: from a+b=z and z+t=w with b <= t: a+t=w (and b+t=w when a <= t);
//   meet composition: from a*b=z and z*t=w with t <= b: a*t=w (and b*t=w when t <= a).
// A join or a meet has one value for each pair of arguments, and a derived equation names
// three distinct elements: what breaks either, or the table's capacity, is a fault.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/equation.h"
#include "core/partial_lattice.h"

namespace mirelkon {

// Why a derivation stopped.
struct DerivationFault {
  enum Kind {
    secondValue,  // a join or meet pair given a second value, by a typed or a derived equation
    forbidden,    // a derived equation that names an element twice
    tableFull,    // more than maxConstraints equations in all
  };
  Kind kind;
  // The equation that could not be stored, in normal form; for a forbidden one its arguments
  // stand as the rule gave them.
  Equation equation;
  int typedSlot = -1;   // secondValue among the typed equations: the slot of the second value
  int firstValue = -1;  // secondValue: the slot that gave the pair its first value
  std::array<int, 2> rule = {-1, -1};  // derived: the slots the rule read (-1: none)
};

struct Derivation {
  // The typed equations in normal form (left <= right: every operation is taken as
  // commutative), slots 0..typedCount-1, then the derived ones in the order found.
  std::vector<Equation> table;
  int typedCount = 0;
  bool ran = false;  // false when the partial lattice has neither join nor meet
  std::optional<DerivationFault> fault;
  // For each derived slot, the one or two slots of the rule application that added it.
  std::vector<std::array<int, 2>> parents;

  int DerivedCount() const { return static_cast<int>(table.size()) - typedCount; }

  // The typed slots that the given slots follow from, ascending: a typed slot stands for
  // itself, a derived one for the typed slots behind its parents.
  std::vector<int> TypedSources(std::array<int, 2> slots) const;
};

// Normalises the equations, stops at a join or meet pair with two values, and derives. The
// table holds at most maxConstraints equations.
Derivation Derive(const PartialLattice& lattice);

}  // namespace mirelkon
