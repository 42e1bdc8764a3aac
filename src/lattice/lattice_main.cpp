// The command line of mirelkon-lattice. A command builds its whole output as text first, so
// a refusal leaves nothing behind: no file, nothing on standard output.
#include "lattice/lattice_main.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "input/input_reader.h"
#include "input/nearest_word.h"
#include "input/whole_number.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/complete_command.h"
#include "lattice/draw_command.h"
#include "lattice/generation_commands.h"
#include "lattice/lattice_options.h"
#include "lattice/lattice_usage.h"
#include "lattice/make_command.h"

namespace mirelkon {

namespace {

enum class Command { help, complete, make, draw };

struct LatticeRequest {
  Command command = Command::help;
  std::vector<std::string> operands;  // complete: the input file; make: the term's words
  std::string outputName;             // empty: standard output
  MakeRequest make;
  bool makeOptionGiven = false;
  DrawRequest draw;
  bool drawOptionGiven = false;
};

constexpr std::string_view fileOptions[] = {"-o",          "--subtrahend", "--verbose",
                                            "--names",     "--highlight",  "--sheet"};

void ReadOption(LatticeRequest& request, int argc, char** argv, int& i) {
  const auto [option, value] = ReadLatticeOption(argc, argv, i, fileOptions);
  if (option.name == "-o") {
    request.outputName = value;
  } else if (option.name == "--subtrahend") {
    int& subtrahend = request.make.subtrahend;
    if (!ParseWholeNumber(value, subtrahend) || subtrahend < 0 || subtrahend > maxSubtrahend)
      throw UsageError("--subtrahend needs a whole number from 0 to " +
                       std::to_string(maxSubtrahend));
    request.makeOptionGiven = true;
  } else if (option.name == "--verbose") {
    request.make.verbose = true;
    request.makeOptionGiven = true;
  } else if (option.name == "--names") {
    request.make.names = true;
  } else if (option.name == "--highlight") {
    request.draw.highlight = value;
    request.drawOptionGiven = true;
  } else {
    request.draw.sheet = true;
    request.drawOptionGiven = true;
  }
}

// A term may come as one argument or as many: make reads its blank-separated words.
std::vector<std::string> Words(const std::vector<std::string>& arguments) {
  std::vector<std::string> words;
  for (const std::string& argument : arguments) {
    std::istringstream in(argument);
    for (std::string word; in >> word;) words.push_back(word);
  }
  return words;
}

LatticeRequest ParseArguments(int argc, char** argv) {
  LatticeRequest request;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return request;
  const std::string command = argv[1];
  if (command == "complete") {
    request.command = Command::complete;
  } else if (command == "make") {
    request.command = Command::make;
  } else if (command == "draw") {
    request.command = Command::draw;
  } else {
    constexpr std::string_view commands[] = {"complete", "make", "all", "survey", "merge"};
    const std::string meant = NearestWord(command, commands);
    throw UsageError("unknown command \"" + command + "\"" +
                     (meant.empty() ? "" : " (did you mean " + meant + "?)") +
                     "; see mirelkon-lattice --help");
  }
  for (int i = 2; i < argc; ++i) {
    // "-1" is a (wrong) number of a term, which make answers with the term's range.
    if (argv[i][0] == '-' && argv[i][1] != '\0' &&
        !std::isdigit(static_cast<unsigned char>(argv[i][1]))) {
      ReadOption(request, argc, argv, i);
    } else {
      request.operands.push_back(argv[i]);
    }
  }
  if (request.drawOptionGiven && request.command != Command::draw)
    throw UsageError("--highlight and --sheet belong to draw");
  if (request.make.names && request.command != Command::make)
    throw UsageError("--names belongs to make");
  if (request.command == Command::draw) {
    if (request.makeOptionGiven)
      throw UsageError("--subtrahend and --verbose belong to make; draw writes no input file");
    if (request.operands.empty())
      throw UsageError("draw needs a lattice or an input file, for instance: draw divisors 60");
    request.draw.operands = request.operands;
    request.draw.outputName = request.outputName;
  } else if (request.command == Command::complete) {
    if (request.operands.size() != 1) throw UsageError("complete needs one input file");
    if (request.makeOptionGiven)
      throw UsageError(
          "--subtrahend and --verbose belong to make; complete keeps the file's header");
  } else {
    request.make.words = Words(request.operands);
    if (request.make.words.empty())
      throw UsageError("make needs a lattice, for instance: make divisors 60");
  }
  return request;
}

}  // namespace

namespace {

int RunCommand(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(LatticeUsageText().c_str(), stderr);
    return statusRefused;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    WriteToStandardOutput(LatticeVersionText());
    return statusSuccess;
  }
  if (IsGenerationCommand(argv[1])) return RunGenerationCommand(argc, argv);
  try {
    const LatticeRequest request = ParseArguments(argc, argv);
    if (request.command == Command::help) {
      WriteToStandardOutput(LatticeUsageText());
      return statusSuccess;
    }
    if (request.command == Command::draw) {
      RunDrawCommand(request.draw);
      return statusSuccess;
    }
    const std::string text = request.command == Command::complete
                                 ? CompleteFile(request.operands[0])
                                 : MakeInputFile(request.make);
    if (request.outputName.empty()) {
      WriteToStandardOutput(text);
    } else {
      WriteToNewFile(text, request.outputName);
    }
    return statusSuccess;
  } catch (const CommandError& error) {
    std::fprintf(stderr, "%s\n", error.text.c_str());
    return error.status;
  }
}

}  // namespace

int LatticeMain(int argc, char** argv) {
  // A failure thrown from deep inside ends the run with one line rather than an abort; an
  // output folder of all --input is removed on the way, other output is built in memory first.
  const char* command = argc > 1 ? argv[1] : "";
  try {
    return RunCommand(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "mirelkon-lattice: out of memory while running %s\n", command);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "mirelkon-lattice: failure inside %s: %s\n", command, failure.what());
  }
  return statusOutOfMemory;
}

}  // namespace mirelkon
