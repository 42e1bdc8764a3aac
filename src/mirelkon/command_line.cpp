// Reading the command line, and the texts of --help and --version.
#include "mirelkon/command_line.h"

#include <string_view>

#include "input/whole_number.h"

namespace {

// Options are recognised only before the first input name; "--" ends them, so that a file
// whose name begins with "-" can still be given.
bool IsOption(std::string_view argument) {
  return argument.size() > 1 && argument.front() == '-';
}

void Refuse(CommandLine& line, const std::string& error) {
  line.action = Action::usageError;
  line.error = error;
}

// The value of an option that needs one, which is the next argument.
bool TakeValue(int argc, char** argv, int& i, std::string& value, CommandLine& line) {
  if (i + 1 >= argc || argv[i + 1][0] == '\0') {
    Refuse(line, std::string(argv[i]) + " needs a value");
    return false;
  }
  value = argv[++i];
  return true;
}

// --list takes a limit when the next argument is a whole number.
void TakeListLimit(int argc, char** argv, int& i, CommandLine& line) {
  line.queries.list = true;
  int limit = 0;
  if (i + 1 >= argc || !ParseWholeNumber(argv[i + 1], limit)) return;
  ++i;
  if (limit < 0) return Refuse(line, "--list needs a limit of at least 0");
  line.queries.listLimit = static_cast<std::uint64_t>(limit);
}

void TakeOption(int argc, char** argv, int& i, CommandLine& line) {
  const std::string_view option = argv[i];
  Queries& queries = line.queries;
  if (option == "--containing") {
    if (TakeValue(argc, argv, i, queries.containing, line) && queries.containing.empty())
      Refuse(line, "--containing needs element symbols");
  } else if (option == "--list-to") {
    TakeValue(argc, argv, i, queries.listTo, line);
    queries.list = true;
  } else if (option == "--list") {
    TakeListLimit(argc, argv, i, line);
  } else if (option == "--bounded") {
    queries.bounded = true;
  } else if (option == "--up-to-symmetry") {
    queries.upToSymmetry = true;
  } else if (option == "-h" || option == "--help") {
    line.action = Action::help;
  } else if (option == "--version") {
    if (line.action != Action::help) line.action = Action::version;
  } else if (option == "--batch" || option == "--json") {
    if (option == "--json") line.json = true;
    if (line.action == Action::session) line.action = Action::batch;
  } else {
    Refuse(line, "unknown option " + std::string(option));
  }
}

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  int i = 1;
  for (; i < argc && IsOption(argv[i]); ++i) {
    if (std::string_view(argv[i]) == "--") {
      ++i;
      break;
    }
    TakeOption(argc, argv, i, line);
    if (line.action == Action::usageError) return line;
  }
  line.files.assign(argv + i, argv + argc);
  if (line.action == Action::batch && line.files.empty()) {
    line.action = Action::usageError;
    line.error = std::string(line.json ? "--json" : "--batch") + " needs at least one input file";
  }
  return line;
}

std::string UsageText() {
  return "Usage: mirelkon [OPTION...] [--] [FILE...]\n"
         "Counts |Sub(L)|, the subuniverses of each partial lattice L of an input file, and\n"
         "reports sigma(L) = |Sub(L)|*2^(subtrahend-|L|).\n"
         "\n"
         "Without options mirelkon runs a console session on the first FILE (or asks for a\n"
         "file name): the report goes to the screen and to a new result file beside FILE\n"
         "(data.txt gives data_r0.txt, or data_r1.txt when that exists, ...), and the\n"
         "program waits for <enter> before it ends.\n"
         "\n"
         "Options, recognised only before the first FILE:\n"
         "  -h, --help     show this text and exit\n"
         "      --version  show the program's name and version and exit\n"
         "      --batch    never read the keyboard: run every FILE in turn, each with its\n"
         "                 own result file, without the dialogue and without waiting\n"
         "      --json     as --batch, but write one JSON object per line to standard\n"
         "                 output instead of the screen text: one per counted job, one per\n"
         "                 run that stops on an error and one per file that cannot be opened\n"
         "      --containing SYMBOLS  also count the closed subsets holding these elements\n"
         "      --bounded  also count those holding the bottom and the top of L\n"
         "      --list [LIMIT]  also list the closed subsets, if at most LIMIT (1000000)\n"
         "      --list-to FILE  as --list, into the new file FILE\n"
         "      --up-to-symmetry  also count them up to the automorphisms of L\n"
         "  --             end of the options: a FILE may then begin with \"-\"\n"
         "\n"
         "Exit status: 0 when every run ended normally; 1 after a data error in some file;\n"
         "2 when a file could not be opened or the command line is wrong; 3 when an answer\n"
         "the options asked for was withheld; any other value is the system's error\n"
         "number of an input/output failure, which ends the program.\n"
         "A data error is also reported on standard error as FILE:LINE: (tag) message.\n"
         "\n"
         "Documentation: " MIRELKON_DOC_DIR
         "/docs (input-language.md, messages.md,\n"
         "command-line.md), the tutorial " MIRELKON_DOC_DIR
         "/SampleDataMirelkon.txt\n"
         "and example lattices in " MIRELKON_DOC_DIR "/examples.\n";
}

std::string VersionText() {
  return "mirelkon " MIRELKON_VERSION "\n";
}
