// The options of mirelkon-lattice in one table: what each takes, and its line in the usage.
// Both readers of the command line (complete, make and draw; all, survey and merge) look
// options up here, so an option is known, takes its value and is listed in one place.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mirelkon {

struct LatticeOption {
  std::string_view name;      // "--subtrahend", "-o"
  std::string_view argument;  // the value as the usage names it; empty: no value
  bool emptyValue = false;    // an empty value is one ("--highlight ''" marks nothing)
  std::string help;           // the usage's text, lines separated by "\n"; empty: not listed
};

// The option in hand, argv[i], with its value, which is then used up; an unknown option or a
// missing value is refused with a UsageError.
struct GivenOption {
  const LatticeOption& option;
  std::string value;
};
// Only the options a command takes are accepted; the others are unknown to it.
GivenOption ReadLatticeOption(int argc, char** argv, int& i,
                              std::span<const std::string_view> accepted);

// The usage's lines of the options that have a text.
std::string LatticeOptionLines();

}  // namespace mirelkon
