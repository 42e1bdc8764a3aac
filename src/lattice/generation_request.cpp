// Reading the command lines of all, survey and merge.
#include "lattice/generation_request.h"

#include <limits>
#include <regex>

#include "generate/generated_lattice.h"
#include "input/whole_number.h"
#include "lattice/command_error.h"
#include "lattice/drawing_output.h"

namespace mirelkon {

namespace {

constexpr int maxThreads = 256;
constexpr int maxParts = 1000000;
constexpr int maxTop = 1000000;

const std::string sizeRange = "a whole number from 1 to " + std::to_string(maxGeneratedSize);

int ParseSize(const std::string& word) {
  int size = 0;
  if (!ParseWholeNumber(word, size) || size < 1 || size > maxGeneratedSize)
    throw UsageError("the number of elements must be " + sizeRange + ", not \"" + word + "\"");
  return size;
}

// "N" or "A..B".
void ParseSizes(const std::string& word, GenerationRequest& request) {
  const std::size_t dots = word.find("..");
  if (dots == std::string::npos) {
    request.smallest = request.largest = ParseSize(word);
    return;
  }
  request.smallest = ParseSize(word.substr(0, dots));
  request.largest = ParseSize(word.substr(dots + 2));
  if (request.smallest > request.largest)
    throw UsageError("in \"" + word + "\", the first size must not exceed the second");
}

// "K/M".
void ParsePart(const std::string& word, GenerationRequest& request) {
  const std::size_t slash = word.find('/');
  int part = 0, parts = 0;
  if (slash == std::string::npos || !ParseWholeNumber(word.substr(0, slash), part) ||
      !ParseWholeNumber(word.substr(slash + 1), parts) || part < 1 || part > parts ||
      parts > maxParts)
    throw UsageError("--part needs K/M, part K of M with 1 <= K <= M <= " +
                     std::to_string(maxParts) + ", for instance --part 3/100");
  request.part = part - 1;
  request.parts = parts;
  request.partGiven = true;
}

AtLeastThreshold ParseThreshold(const std::string& word) {
  static const std::regex scaled(R"((?:(\d+)\*)?2\^(?:N|\(N-(\d+)\)))");
  AtLeastThreshold threshold;
  std::smatch match;
  int offset = 0;
  if (ParseWholeNumber(word, threshold.factor)) return threshold;
  if (std::regex_match(word, match, scaled) &&
      (!match[1].matched || ParseWholeNumber(match[1].str(), threshold.factor)) &&
      (!match[2].matched || ParseWholeNumber(match[2].str(), offset))) {
    if (!match[1].matched) threshold.factor = 1;
    threshold.offset = offset;
    return threshold;
  }
  throw UsageError("--at-least needs a whole number or k*2^(N-s), for instance 83*2^(N-8)");
}

std::string OptionValue(int argc, char** argv, int& i) {
  if (i + 1 >= argc || argv[i + 1][0] == '\0')
    throw UsageError(std::string(argv[i]) + " needs a value");
  return argv[++i];
}

struct Given {
  bool form = false, split = false, report = false;
};

void SetForm(GenerationRequest& request, Given& given, LatticeForm form) {
  if (given.form) throw UsageError("give only one of --count, --covers and --input");
  given.form = true;
  request.form = form;
}

void ReadOption(GenerationRequest& request, Given& given, int argc, char** argv, int& i) {
  const std::string option = argv[i];
  if (option == "--count") {
    SetForm(request, given, LatticeForm::count);
  } else if (option == "--covers") {
    SetForm(request, given, LatticeForm::covers);
  } else if (option == "--input") {
    SetForm(request, given, LatticeForm::inputFiles);
  } else if (option == "-o") {
    request.directory = OptionValue(argc, argv, i);
  } else if (option == "-j") {
    if (!ParseWholeNumber(OptionValue(argc, argv, i), request.threads) || request.threads < 1 ||
        request.threads > maxThreads)
      throw UsageError("-j needs a whole number of threads from 1 to " +
                       std::to_string(maxThreads));
    given.split = true;
  } else if (option == "--part") {
    ParsePart(OptionValue(argc, argv, i), request);
    given.split = true;
  } else if (option == "--top") {
    int top = 0;
    if (!ParseWholeNumber(OptionValue(argc, argv, i), top) || top < 0 || top > maxTop)
      throw UsageError("--top needs a whole number from 0 to " + std::to_string(maxTop));
    request.top = top;
    given.report = true;
  } else if (option == "--at-least") {
    request.atLeast = ParseThreshold(OptionValue(argc, argv, i));
    given.report = true;
  } else if (option == "--draw-top") {
    request.drawTop = OptionValue(argc, argv, i);
    DrawingFileFormat(request.drawTop, "--draw-top");
  } else if (option == "--json") {
    request.json = true;
    given.report = true;
  } else if (option == "--top-input") {
    request.topInput = OptionValue(argc, argv, i);
  } else {
    throw UsageError("unknown option \"" + option + "\"; see mirelkon-lattice --help");
  }
}

// Options that belong to another command are refused rather than ignored.
void CheckCombination(const GenerationRequest& request, const Given& given,
                      const std::vector<std::string>& operands) {
  const bool all = request.command == GenerationCommand::all;
  if (given.form && !all) throw UsageError("--count, --covers and --input belong to all");
  if (!request.directory.empty() && request.form != LatticeForm::inputFiles)
    throw UsageError("-o DIR belongs to all --input");
  if (request.form == LatticeForm::inputFiles && request.directory.empty())
    throw UsageError("--input needs -o DIR, the new folder for the files");
  if (given.split && request.command == GenerationCommand::merge)
    throw UsageError("-j and --part belong to all and survey");
  if (given.report && all) throw UsageError("--top, --at-least and --json belong to survey");
  if (!request.drawTop.empty() && all) throw UsageError("--draw-top belongs to survey and merge");
  if (!request.topInput.empty() && request.command != GenerationCommand::survey)
    throw UsageError("--top-input belongs to survey");
  if (request.command == GenerationCommand::merge) {
    if (request.atLeast)
      throw UsageError("--at-least belongs to survey; merge keeps the threshold of the parts");
    if (operands.empty()) throw UsageError("merge needs the outputs of survey --json to add up");
  } else if (operands.size() != 1) {
    throw UsageError(all ? "all needs the number of elements, for instance: all 10"
                         : "survey needs the number of elements or a range, for instance: "
                           "survey 12 or survey 5..11");
  }
}

}  // namespace

std::uint64_t AtLeastThreshold::For(int size) const {
  if (!offset) return factor;
  const int exponent = size - *offset;
  if (exponent >= 0) {
    if (exponent >= 64 || factor > std::numeric_limits<std::uint64_t>::max() >> exponent)
      return std::numeric_limits<std::uint64_t>::max();
    return factor << exponent;
  }
  if (-exponent >= 64) return factor > 0 ? 1 : 0;
  const std::uint64_t divisor = std::uint64_t{1} << -exponent;
  return factor / divisor + (factor % divisor != 0);
}

bool IsGenerationCommand(const std::string& word) {
  return word == "all" || word == "survey" || word == "merge";
}

GenerationRequest ParseGenerationRequest(int argc, char** argv) {
  GenerationRequest request;
  const std::string command = argv[1];
  request.command = command == "all"      ? GenerationCommand::all
                    : command == "survey" ? GenerationCommand::survey
                                          : GenerationCommand::merge;
  Given given;
  std::vector<std::string> operands;
  for (int i = 2; i < argc; ++i) {
    if (argv[i][0] == '-' && argv[i][1] != '\0') {
      ReadOption(request, given, argc, argv, i);
    } else {
      operands.push_back(argv[i]);
    }
  }
  CheckCombination(request, given, operands);
  if (request.command == GenerationCommand::merge) {
    request.files = operands;
  } else if (request.command == GenerationCommand::all) {
    request.smallest = request.largest = ParseSize(operands[0]);
  } else {
    ParseSizes(operands[0], request);
  }
  return request;
}

}  // namespace mirelkon
