// The option table of mirelkon-lattice, its ranges taken from the constants that bound them.
#include "lattice/lattice_options.h"

#include <algorithm>

#include "input/input_reader.h"
#include "lattice/command_error.h"
#include "report/usage_line.h"

namespace mirelkon {

namespace {

const LatticeOption latticeOptions[] = {
    {"-o", "FILE", false, "write to FILE, which must not exist yet (all --input: a new folder)"},
    {"--subtrahend", "S", false,
     "(make) the subtrahend in sigma(L), 0 to " + std::to_string(maxSubtrahend) +
         "; 0 when not given"},
    {"--verbose", "", false, "(make) ask mirelkon for its verbose listings"},
    {"--names", "", false, "(make) write a lattice file of cover pairs by name at any size"},
    {"-j", "T", false, "(all, survey) use T threads"},
    {"--part", "K/M", false, "(all, survey) only part K of M disjoint parts of the lattices"},
    {"--json", "", false, "(survey, merge) JSON lines instead of text"},
    {"--top-input", "DIR", false,
     "(survey) the T with the most as input files in the new folder DIR"},
    {"--draw-top", "PICTURE", false, "(survey, merge) also draw the top list on one sheet"},
    {"--highlight", "ELEMENTS", true,
     "(draw) mark elements as --list writes them: names separated\n"
     "by blanks ('6 12 60'), or symbols (ab0); '{}' marks none"},
    {"--sheet", "", false,
     "(draw) all jobs of IN on one sheet; without it -o P.svg gives\n"
     "P_1.svg, P_2.svg, ... (standard output always takes one sheet)"},
    // Described with their commands in the usage.
    {"--count", "", false, ""},
    {"--covers", "", false, ""},
    {"--input", "", false, ""},
    {"--top", "T", false, ""},
    {"--at-least", "X", false, ""},
};

}  // namespace

GivenOption ReadLatticeOption(int argc, char** argv, int& i,
                              std::span<const std::string_view> accepted) {
  const std::string name = argv[i];
  const bool known = std::find(accepted.begin(), accepted.end(), name) != accepted.end();
  for (const LatticeOption& option : latticeOptions) {
    if (!known || option.name != name) continue;
    if (option.argument.empty()) return {option, {}};
    if (i + 1 >= argc || (argv[i + 1][0] == '\0' && !option.emptyValue))
      throw UsageError(name + " needs a value");
    return {option, argv[++i]};
  }
  throw UsageError("unknown option \"" + name + "\"; see mirelkon-lattice --help");
}

std::string LatticeOptionLines() {
  std::string text;
  for (const LatticeOption& option : latticeOptions) {
    if (option.help.empty()) continue;
    std::string head = "  " + std::string(option.name);
    if (!option.argument.empty()) head.append(" ").append(option.argument);
    text += UsageLine(head, option.help, 20);
  }
  return text;
}

}  // namespace mirelkon
