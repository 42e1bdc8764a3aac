// The order of the current job: the identity before any edge is read, its transitive
// closure once all edges are in, and the verbose listing of the strict order.
#pragma once

// Resets orderMatrix on elements 1..n to the identity and empties the edge list.
void SetOrderToIdentity();

// Makes orderMatrix on 1..n reflexive and transitive. Cycles are kept: antisymmetry is
// not checked, so the elements of a cycle all end up below each other.
void CloseOrder();

// Lists every pair i < j (i != j with i <= j) in row-major order of element numbers,
// 14 to a line, on the screen and in the result file.
void PrintStrictOrder();
