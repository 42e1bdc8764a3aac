// The record a part of "all N --count --part K/M" writes, which merge adds up: the size, the
// part, the number of lattices and a checksum of the three, so that a record damaged on its
// way back from a cluster node is refused rather than added.
#pragma once

#include <cstdint>
#include <string>

#include "lattice/survey_report.h"

namespace mirelkon {

struct CountPart {
  int size = 1;
  SurveyPart part;
  std::uint64_t lattices = 0;
};

// 16 hexadecimal digits of a hash of size, part and number of lattices.
std::string CountChecksum(const CountPart& count);

// {"n":16,"lattices":"1471613","part":"3/1000","checksum":"..."} and a line end.
std::string CountPartJson(const CountPart& count);

}  // namespace mirelkon
