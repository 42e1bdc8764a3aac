// The constraint table's operations: the normal form (left <= right), the search for an
// exact constraint through an index, and the append of a derived constraint with its
// forbidden-constraint, two-value and capacity stops.
#pragma once

// Orders the arguments of every record in slots 1..constraintCount and rebuilds the
// index from them. Must run once per job before FindConstraint or AddDerivedConstraint.
void NormalizeConstraints();

// A join or a meet has one value for each pair of arguments. Stops the run at the first
// slot, in table order, that gives a pair of the join or of the meet a second value, and
// records the first value of every pair for AddDerivedConstraint. Runs right after
// NormalizeConstraints.
void CheckJoinAndMeetValues();

inline int MinElement(int x, int y) {
  return x < y ? x : y;
}
inline int MaxElement(int x, int y) {
  return x < y ? y : x;
}

// The lowest slot holding exactly x op y = z, or 0; always 0 when x >= y.
int FindConstraint(int x, int y, int z, int op);

// Appends x op y = z in normal form (x and y may come in either order), derived by the
// rule now applied (provenance.h). A constraint naming an element twice is reported and
// ends the run; so does a second value of a join or a meet pair, and a full table.
void AddDerivedConstraint(int x, int y, int z, int op);
