// Times of day to the millisecond and the elapsed time between two of them.
#pragma once

#include <cstdint>
#include <string>

namespace mirelkon {

struct TimeOfDay {
  std::uint16_t hours;
  std::uint16_t minutes;
  std::uint16_t seconds;
  std::uint16_t milliseconds;
};

// Reads the local wall clock.
TimeOfDay ReadTimeOfDay();

// Milliseconds from start to end. The readings carry no date, so a run that passes
// midnight comes out negative at first and is given one day back.
int ElapsedMilliseconds(const TimeOfDay& start, const TimeOfDay& end);

// h:m:s.ms in plain decimal, without leading zeros: 9:05:03.045 is "9:5:3.45".
std::string TimeOfDayText(const TimeOfDay& t);

}  // namespace mirelkon
