// Reading the command line through a table of options, and the texts of --help and --version.
#include "mirelkon/command_line.h"

#include <span>
#include <string_view>
#include <vector>

#include "draw/hasse_drawing.h"
#include "input/nearest_word.h"
#include "input/whole_number.h"
#include "mirelkon/doc_folder.h"

namespace mirelkon {

namespace {

// How an option takes its value: none; always (the next argument, or after "="); or an
// optional whole number (after "=", or the next argument when that is one).
enum class OptionValue { none, required, optionalNumber };

struct OptionSpec {
  std::string_view name;   // "--results"
  std::string_view alias;  // "-h", or empty
  OptionValue value;
  // Applies the option; value is empty for an option without one. Refuses it by setting
  // line.error.
  void (*take)(CommandLine& line, const std::string& value);
};

using Value = const std::string&;
using enum OptionValue;

void StartBatch(CommandLine& line, Value) {
  if (line.action == Action::session) line.action = Action::batch;
}

void StartJsonBatch(CommandLine& line, Value) {
  line.json = true;
  StartBatch(line, {});
}

// --help wins over --version, and both over a batch.
void AskForVersion(CommandLine& line, Value) {
  if (line.action != Action::help) line.action = Action::version;
}

// --list [LIMIT]: a limit below 0 is refused.
void AskForList(CommandLine& line, Value limit) {
  line.queries.list = true;
  int value = 0;
  if (!ParseWholeNumber(limit, value)) return;
  if (value < 0) {
    line.error = "--list needs a limit of at least 0";
  } else {
    line.queries.listLimit = static_cast<std::uint64_t>(value);
  }
}

// --cache-mb MB: at least 1, at most a terabyte.
void BoundTheCache(CommandLine& line, Value megabytes) {
  int value = 0;
  if (!ParseWholeNumber(megabytes, value) || value < 1 || value > (1 << 20)) {
    line.error = "--cache-mb needs a number of megabytes from 1 to 1048576";
    return;
  }
  line.run.counter.cacheBytes = static_cast<std::size_t>(value) << 20;
}

void AskForListTo(CommandLine& line, Value file) {
  line.queries.list = true;
  line.queries.listTo = file;
}

// --draw DIR lists the subsets and draws them, where the build can draw.
void AskForDrawings(CommandLine& line, Value folder) {
  if (!DrawingAvailable()) {
    line.error = "--draw: " + DrawingUnavailableText();
    return;
  }
  line.queries.list = true;
  line.queries.drawFolder = folder;
}

// One line per option.
constexpr OptionSpec mirelkonOptions[] = {
    {"--help", "-h", none, [](CommandLine& l, Value) { l.action = Action::help; }},
    {"--version", "", none, AskForVersion},
    {"--batch", "", none, StartBatch},
    {"--json", "", none, StartJsonBatch},
    {"--lattice", "", none, [](CommandLine& l, Value) { l.run.lattice = true; }},
    {"--verbose", "", none, [](CommandLine& l, Value) { l.run.verbose = true; }},
    {"--results", "", required, [](CommandLine& l, Value v) { l.run.resultsFolder = v; }},
    {"--no-results", "", none, [](CommandLine& l, Value) { l.run.resultFiles = false; }},
    {"--containing", "", required, [](CommandLine& l, Value v) { l.queries.containing = v; }},
    {"--bounded", "", none, [](CommandLine& l, Value) { l.queries.bounded = true; }},
    {"--list", "", optionalNumber, AskForList},
    {"--list-to", "", required, AskForListTo},
    {"--by-size", "", none, [](CommandLine& l, Value) { l.queries.listBySize = true; }},
    {"--draw", "", required, AskForDrawings},
    {"--up-to-symmetry", "", none, [](CommandLine& l, Value) { l.queries.upToSymmetry = true; }},
    {"--profile", "", none, [](CommandLine& l, Value) { l.queries.profile = true; }},
    {"--stats", "", none, [](CommandLine& l, Value) { l.run.counterStats = true; }},
    {"--cache-mb", "", required, BoundTheCache},
};

bool IsOption(std::string_view argument) {
  return argument.size() > 1 && argument.front() == '-';
}

bool IsWholeNumber(const std::string& text) {
  int value = 0;
  return ParseWholeNumber(text, value);
}

// Digits, with a "-" before them or not: a number meant, whether in range or not, so that
// "--list 2147483648" is refused as "--list=2147483648" is, not taken for a file name.
bool LooksLikeNumber(std::string_view text) {
  if (text.starts_with('-')) text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool Refuse(CommandLine& line, const std::string& error) {
  line.action = Action::usageError;
  line.error = error;
  return false;
}

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view name) {
  for (const OptionSpec& option : options)
    if (option.name == name || (!option.alias.empty() && option.alias == name)) return &option;
  return nullptr;
}

// The arguments, and the place of the one in hand.
struct Arguments {
  int count;
  char** values;
  int at;

  std::string_view Current() const { return values[at]; }
  bool HasNext() const { return at + 1 < count; }
  std::string Next() const { return values[at + 1]; }
};

// The value of the option in hand, written after "=" or as the next argument, which is then
// used up; false when it is refused.
bool ReadValue(const OptionSpec& option, CommandLine& line, Arguments& arguments,
               std::string& value) {
  const std::size_t equals = arguments.Current().find('=');
  const bool attached = equals != std::string_view::npos;
  const std::string name(option.name);
  if (attached) value = arguments.Current().substr(equals + 1);
  switch (option.value) {
    case none:
      return !attached || Refuse(line, name + " takes no value");
    case required:
      if (!attached && arguments.HasNext()) value = arguments.values[++arguments.at];
      return !value.empty() || Refuse(line, name + " needs a value");
    case optionalNumber:
      if (!attached && arguments.HasNext() && LooksLikeNumber(arguments.Next()))
        value = arguments.values[++arguments.at];
      return (!attached && value.empty()) || IsWholeNumber(value) ||
             Refuse(line, name + " takes a whole number");
  }
  return false;
}

// "unknown option --verbos; did you mean --verbose?"
std::string UnknownOption(std::span<const OptionSpec> options, std::string_view argument) {
  std::vector<std::string_view> names;
  for (const OptionSpec& option : options) names.push_back(option.name);
  const std::string meant = NearestWord(argument.substr(0, argument.find('=')), names);
  return "unknown option " + std::string(argument) +
         (meant.empty() ? "" : "; did you mean " + meant + "?");
}

// Applies the option in hand; false when it is refused.
bool TakeOption(std::span<const OptionSpec> options, CommandLine& line, Arguments& arguments) {
  const std::string_view argument = arguments.Current();
  const std::string_view name =
      argument.starts_with("--") ? argument.substr(0, argument.find('=')) : argument;
  const OptionSpec* option = FindOption(options, name);
  if (option == nullptr) return Refuse(line, UnknownOption(options, argument));
  std::string value;
  if (!ReadValue(*option, line, arguments, value)) return false;
  option->take(line, value);
  return line.error.empty() || Refuse(line, line.error);
}

// The options and the input names, as they come; the first wrong option is refused.
CommandLine ReadArguments(std::span<const OptionSpec> options, int argc, char** argv) {
  CommandLine line;
  bool optionsEnded = false;
  for (Arguments arguments{argc, argv, 1}; arguments.at < argc; ++arguments.at) {
    const std::string_view argument = arguments.Current();
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (optionsEnded || !IsOption(argument)) {
      line.files.emplace_back(argument);
    } else if (!TakeOption(options, line, arguments)) {
      return line;
    }
  }
  return line;
}

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv) {
  CommandLine line = ReadArguments(mirelkonOptions, argc, argv);
  if (line.action == Action::usageError) return line;
  if (line.queries.listBySize && !line.queries.list)
    Refuse(line, "--by-size orders the list: give it with --list or --list-to");
  else if (!line.run.resultFiles && !line.run.resultsFolder.empty())
    Refuse(line, "--results and --no-results exclude each other");
  else if (line.action == Action::batch && line.files.empty())
    Refuse(line, std::string(line.json ? "--json" : "--batch") + " needs at least one input file");
  line.run.batch = line.action == Action::batch;
  // The JSON lines are the result of a --json run: result files only where asked for.
  if (line.json && line.run.resultsFolder.empty()) line.run.resultFiles = false;
  return line;
}

std::string UsageText() {
  const std::string docs = DocumentationFolder();
  return "Usage: mirelkon [OPTION...] [--] [FILE...]\n"
         "Counts |Sub(L)|, the subuniverses of each partial lattice L of an input file, and\n"
         "reports sigma(L) = |Sub(L)|*2^(subtrahend-|L|).\n"
         "\n"
         "Without options mirelkon runs a console session on the first FILE (or asks for a\n"
         "file name): the report goes to the screen and to a new result file beside FILE\n"
         "(data.txt gives data_r0.txt, or data_r1.txt when that exists, ...), and the\n"
         "program waits for <enter> before it ends.\n"
         "\n"
         "Options may stand anywhere before \"--\":\n"
         "  -h, --help         show this text and exit\n"
         "      --version      show the program's name and version and exit\n"
         "      --batch        never read the keyboard: run every FILE in turn, each with\n"
         "                     its own result file, without the dialogue and without waiting\n"
         "      --json         as --batch, but write one JSON object per line to standard\n"
         "                     output instead of the screen text: one per counted job, one\n"
         "                     per run that stops on an error and one per file that cannot\n"
         "                     be opened; no result files unless --results asks for them\n"
         "      --lattice      complete each job's order to the lattice its edges draw, with\n"
         "                     every join and meet, before counting; a job that is no\n"
         "                     lattice, or gives a join or meet that does not hold, is an error\n"
         "      --verbose      list the order and the derived equations, as \\verbose=true\n"
         "      --results DIR  write every result file into the folder DIR (made if missing)\n"
         "      --no-results   write no result files\n"
         "      --containing ELEMENTS  also count the closed subsets holding these\n"
         "                     elements, named by the legend's names or by their symbols\n"
         "      --bounded      also count those holding the bottom and the top of L\n"
         "      --profile      also count them by size\n"
         "      --list [LIMIT] also list the closed subsets, if at most LIMIT (1000000)\n"
         "      --list-to FILE as --list, into the new file FILE\n"
         "      --by-size      list them by size, the smallest first\n"
         "      --draw DIR     as --list, and draw the first 100 of each job in L into the\n"
         "                     folder DIR as SVG files (made if missing)\n"
         "      --up-to-symmetry  also count them up to the automorphisms of L\n"
         "      --stats        after each job, what the counter did, on standard error\n"
         "      --cache-mb MB  the most memory the counter's cache may take (256)\n"
         "  --                 end of the options: every later argument is a FILE\n"
         "A FILE \"-\" is standard input, called stdin in messages and result names.\n"
         "\n"
         "Exit status: 0 when every run ended normally; 1 after a data error in some file;\n"
         "2 when a file could not be opened or the command line is wrong; 3 when an answer\n"
         "the options asked for was withheld; 4 after an input/output failure and 5 when\n"
         "memory ran out, both of which end the program at once.\n"
         "A data error is also reported on standard error as FILE:LINE: (tag) message.\n"
         "\n"
         "Documentation: " +
         docs +
         "/docs (input-language.md, messages.md,\n"
         "command-line.md), the tutorial " +
         docs +
         "/SampleDataMirelkon.txt\n"
         "and example lattices in " +
         docs + "/examples.\n";
}

std::string VersionText() {
  return "mirelkon " MIRELKON_VERSION "\n";
}

}  // namespace mirelkon
