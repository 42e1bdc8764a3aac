// Verbose constraint listings.
#include "constraints/constraint_listing.h"

#include "model/job_model.h"
#include "session/report.h"

void ListConstraintSlots(int first, int last) {
  for (int k = first; k <= last; ++k) {
    WriteBoth(WrittenForm(k) + " ");
    if ((k - first + 1) % 9 == 0) WriteBothLine();
  }
  WriteBothLine(".");
}
