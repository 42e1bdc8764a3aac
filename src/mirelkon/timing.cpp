// Reading the wall clock and measuring the run.
#include "mirelkon/timing.h"

#include <chrono>
#include <ctime>

namespace mirelkon {

TimeOfDay ReadTimeOfDay() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local = *std::localtime(&seconds);
  return {static_cast<std::uint16_t>(local.tm_hour), static_cast<std::uint16_t>(local.tm_min),
          static_cast<std::uint16_t>(local.tm_sec), static_cast<std::uint16_t>(millis)};
}

int ElapsedMilliseconds(const TimeOfDay& start, const TimeOfDay& end) {
  constexpr int oneDay = 86400000;
  int elapsed = (end.hours - start.hours) * 3600000 + (end.minutes - start.minutes) * 60000 +
                (end.seconds - start.seconds) * 1000 + end.milliseconds - start.milliseconds;
  return elapsed < 0 ? elapsed + oneDay : elapsed;
}

std::string TimeOfDayText(const TimeOfDay& t) {
  return std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" +
         std::to_string(t.seconds) + "." + std::to_string(t.milliseconds);
}

}  // namespace mirelkon
