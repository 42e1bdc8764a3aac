// Derivation of the join and meet constraints that follow, in every lattice, from the
// job's constraints and its closed order; run once per job before the count.
#pragma once

// Normalises the table, stops at a join or meet pair with two values, appends the derived
// constraints pass after pass until a pass adds nothing, and reports them (verbose
// listing, or one line when nothing was derived). Nothing is derived or written when the
// operation symbols hold neither '+' nor '*'.
void DeriveConstraints();

// The three rules, as applied by DeriveConstraints; they use the operation numbers and
// the occurrence lists of the running derivation. Each reads slots i and j when it
// starts and appends the constraints it implies that are not yet in the table.
// From a+b=z and a <= k <= z: k+b=z (dually for the meet).
void IntervalRule(int i);
// From a+b=z (slot i) and z+t=w (slot j) with b <= t: a+t=w (and b+t=w when a <= t).
void JoinCompositionRule(int i, int j);
// From a*b=z (slot i) and z*t=w (slot j) with t <= b: a*t=w (and b*t=w when t <= a).
void MeetCompositionRule(int i, int j);

// Lists the initial constraints, then the derived ones (or that there are none).
void ListConstraintsVerbose();
