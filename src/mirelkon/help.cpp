// The help text, screen only.
#include "mirelkon/help.h"

namespace mirelkon {

void ShowHelp(ReportChannel& report) {
  static constexpr const char* lines[] = {
      "",
      "This is mirelkon, a program for computing the number |Sub(L)| of subuniverses",
      "of a given partial lattice L, possibly, with extra at most binary operations.",
      "(The operations may but need not be everywhere defined.)",
      "",
      "The program takes its input from a txt file; study SampleDataMirelkon.txt for",
      "more information and NEVER change this file; use other files for your work!",
      "The input file must be an UNFORMATTED text file, so a *.txt file without ",
      "accented letters or \"strange\" characters. In Windows, you can simply drag",
      "the input file on (the icon of) the program. In \"verbose\" mode, the program",
      "outputs more details on the partial lattice.  The output goes to the screen",
      "and also to a file whose name is obtained by suffixing \"_r-\"<x> to the name of",
      "the input file name; here <x> denotes the first character from decimals",
      "and English letters such that the file does not exist.",
      "Even if some aspects of the input data are checked, improper data can cause",
      "runtime errors or other malfunctions. This program \"is as it is\" ",
      "This program \"is as it is\", without any warranty!   (The Mirelkon developers)",
      "",
      "                                     Press <enter> twice to quit.",
  };
  for (const char* line : lines) report.WriteScreenLine(line);
  report.WaitForEnter();
  report.WaitForEnter();
}

}  // namespace mirelkon
