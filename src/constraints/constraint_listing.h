// Listings of constraint slots in their written form, shared by the verbose reports.
#pragma once

// Writes slots first..last to both outputs, each in its written form followed by a blank,
// with a line end after every ninth, and then "." and a line end.
void ListConstraintSlots(int first, int last);
