// Elapsed time between two times of day, including runs that pass midnight.
#include "mirelkon/timing.h"

#include <gtest/gtest.h>

namespace mirelkon {

TEST(ElapsedMilliseconds, FieldDifferencesSumToTheInterval) {
  struct Case {
    TimeOfDay start, end;
    int expected;
  };
  const Case cases[] = {
      {{10, 0, 0, 0}, {10, 0, 1, 250}, 1250},
      {{9, 59, 59, 900}, {10, 0, 0, 100}, 200},
      {{23, 59, 59, 999}, {23, 59, 59, 999}, 0},
      {{23, 59, 59, 500}, {0, 0, 0, 250}, 750},  // across midnight
      {{22, 0, 0, 0}, {1, 30, 0, 0}, 3 * 3600000 + 30 * 60000},
      {{0, 0, 0, 0}, {23, 59, 59, 999}, 86399999},
  };
  for (const Case& c : cases) EXPECT_EQ(ElapsedMilliseconds(c.start, c.end), c.expected);
}

}  // namespace mirelkon
