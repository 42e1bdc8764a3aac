// Reading surveys back and adding them up. Every line is checked, and so is each survey's
// total against its distribution, so a file cut short is refused rather than added.
#include "lattice/merge_command.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "input/whole_number.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/survey_report.h"
#include "report/counted.h"

namespace {

using Json = nlohmann::json;

// One size's survey as one file gives it.
struct FileSurvey {
  std::string file;
  SurveyPart part;
  std::uint64_t lattices = 0;  // as its first line states
  SurveyTally tally;
};

CommandError LineError(const std::string& file, int line, const std::string& message) {
  return {file + ":" + std::to_string(line) + ": " + message};
}

// A decimal string, as survey writes every count.
std::uint64_t CountField(const Json& record, const char* name, bool& ok) {
  std::uint64_t value = 0;
  const auto field = record.find(name);
  ok = ok && field != record.end() && field->is_string() &&
       ParseWholeNumber(field->get<std::string>(), value);
  return value;
}

int IntField(const Json& record, const char* name, int low, int high, bool& ok) {
  const auto field = record.find(name);
  ok = ok && field != record.end() && field->is_number_integer() && *field >= low && *field <= high;
  return ok ? field->get<int>() : 0;
}

// "K/M" as survey writes it.
bool ReadPart(const Json& record, SurveyPart& part) {
  const auto field = record.find("part");
  if (field == record.end()) return true;
  if (!field->is_string()) return false;
  const std::string text = *field;
  const std::size_t slash = text.find('/');
  std::uint64_t k = 0, m = 0;
  if (slash == std::string::npos || !ParseWholeNumber(text.substr(0, slash), k) ||
      !ParseWholeNumber(text.substr(slash + 1), m) || k < 1 || k > m || m > 1000000)
    return false;
  part = {static_cast<int>(k - 1), static_cast<int>(m)};
  return true;
}

bool ReadCovers(const Json& record, int size, std::vector<CoverPair>& covers) {
  const auto field = record.find("covers");
  if (field == record.end() || !field->is_array()) return false;
  for (const Json& pair : *field) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number_integer() ||
        !pair[1].is_number_integer() || pair[0] < 0 || pair[0] >= pair[1] || pair[1] >= size)
      return false;
    covers.push_back({pair[0].get<std::uint8_t>(), pair[1].get<std::uint8_t>()});
  }
  std::sort(covers.begin(), covers.end());
  return true;
}

class SurveyReader {
 public:
  explicit SurveyReader(std::string file) : file_(std::move(file)) {}

  // Reads the whole file into one FileSurvey per size.
  std::vector<FileSurvey> Read() {
    std::ifstream in(file_, std::ios::binary);
    if (!in) throw UsageError("cannot open the survey file " + file_);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
      if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
      ReadRecord(Json::parse(text, nullptr, false), line);
    }
    if (in.bad()) throw UsageError("cannot read the survey file " + file_);
    if (surveys_.empty())
      throw UsageError(file_ + " holds no survey; did its run end before writing?");
    for (const FileSurvey& survey : surveys_)
      if (survey.tally.Lattices() != survey.lattices)
        throw CommandError{file_ + ": the numbers of sublattices of the lattices of " +
                           Counted(survey.tally.Settings().size, "element") + " add up to " +
                           Counted(static_cast<long long>(survey.tally.Lattices()), "lattice") +
                           ", not " + std::to_string(survey.lattices) + "; is the file complete?"};
    return std::move(surveys_);
  }

 private:
  void ReadRecord(const Json& record, int line) {
    bool ok = record.is_object();
    const int size = IntField(record, "n", 1, maxGeneratedSize, ok);
    if (ok && record.contains("rank")) {
      ReadRanked(record, size, line);
    } else if (ok && record.contains("sub")) {
      const std::uint64_t sublattices = CountField(record, "sub", ok);
      const std::uint64_t lattices = CountField(record, "lattices", ok);
      if (!ok) throw LineError(file_, line, notSurvey);
      Survey(size, line).tally.AddLattices(sublattices, lattices);
    } else if (ok) {
      ReadHeader(record, size, line);
    } else {
      throw LineError(file_, line, notSurvey);
    }
  }

  void ReadHeader(const Json& record, int size, int line) {
    bool ok = true;
    SurveySettings settings;
    settings.size = size;
    settings.top = IntField(record, "top", 0, 1000000, ok);
    settings.listCapacity = SIZE_MAX;
    if (record.contains("at_least")) settings.atLeast = CountField(record, "at_least", ok);
    const std::uint64_t lattices = CountField(record, "lattices", ok);
    SurveyPart part;
    if (!ok || !ReadPart(record, part)) throw LineError(file_, line, notSurvey);
    for (const FileSurvey& survey : surveys_)
      if (survey.tally.Settings().size == size)
        throw LineError(file_, line, "a second survey of " + Counted(size, "element"));
    surveys_.push_back({file_, part, lattices, SurveyTally(settings)});
  }

  void ReadRanked(const Json& record, int size, int line) {
    bool ok = true;
    IntField(record, "rank", 1, INT32_MAX, ok);
    RankedLattice lattice;
    lattice.sublattices = CountField(record, "sub", ok);
    const auto list = record.find("list");
    const bool listed = list != record.end() && *list == "at-least";
    if (!ok || !ReadCovers(record, size, lattice.covers) ||
        (list != record.end() && !listed && *list != "top"))
      throw LineError(file_, line, notSurvey);
    SurveyTally& tally = Survey(size, line).tally;
    if (listed) {
      tally.AddListed(lattice);
    } else {
      tally.OfferTop(lattice);
    }
  }

  FileSurvey& Survey(int size, int line) {
    for (FileSurvey& survey : surveys_)
      if (survey.tally.Settings().size == size) return survey;
    throw LineError(file_, line,
                    "a line about lattices of " + Counted(size, "element") +
                        " before the line with their number");
  }

  static constexpr const char* notSurvey = "not a line written by survey --json";
  std::string file_;
  std::vector<FileSurvey> surveys_;
};

std::string Sized(int size) {
  return Counted(size, "element") + ": ";
}

// The surveys of one size must be one whole survey or every part of one split once.
void CheckParts(int size, const std::vector<const FileSurvey*>& surveys) {
  const FileSurvey& first = *surveys.front();
  std::vector<const FileSurvey*> byPart(first.part.parts, nullptr);
  for (const FileSurvey* survey : surveys) {
    if (survey->part.parts != first.part.parts)
      throw UsageError(Sized(size) + first.file + " and " + survey->file +
                       (first.part.parts == 1 || survey->part.parts == 1
                            ? " overlap: one of them surveys every lattice"
                            : " are parts of different splits"));
    if (survey->tally.Settings().atLeast != first.tally.Settings().atLeast)
      throw UsageError(Sized(size) + first.file + " and " + survey->file +
                       " list the lattices above different thresholds");
    const FileSurvey*& slot = byPart[survey->part.part];
    if (slot != nullptr)
      throw UsageError(Sized(size) + slot->file + " and " + survey->file +
                       (first.part.parts == 1
                            ? " both survey every lattice"
                            : " are both part " + std::to_string(survey->part.part + 1) + "/" +
                                  std::to_string(first.part.parts)));
    slot = survey;
  }
  std::string missing;
  int missingCount = 0;
  for (int part = 0; part < first.part.parts; ++part)
    if (byPart[part] == nullptr && ++missingCount <= 10)
      missing += (missing.empty() ? "" : ", ") + std::to_string(part + 1);
  if (missingCount > 0)
    throw UsageError(Sized(size) + std::to_string(missingCount) + " of the " +
                     std::to_string(first.part.parts) + " parts " +
                     (missingCount == 1 ? "is" : "are") + " missing: " + missing +
                     (missingCount > 10 ? ", ..." : ""));
}

SurveyTally MergedSurvey(int size, const std::vector<const FileSurvey*>& surveys,
                         const GenerationRequest& request) {
  CheckParts(size, surveys);
  SurveySettings settings = surveys.front()->tally.Settings();
  for (const FileSurvey* survey : surveys)
    settings.top = std::min(settings.top, survey->tally.Settings().top);
  if (request.top) settings.top = std::min(settings.top, *request.top);
  SurveyTally merged(settings);
  for (const FileSurvey* survey : surveys) merged.Merge(survey->tally);
  return merged;
}

}  // namespace

void RunMergeCommand(const GenerationRequest& request) {
  std::vector<FileSurvey> surveys;
  for (const std::string& file : request.files)
    for (FileSurvey& survey : SurveyReader(file).Read()) surveys.push_back(std::move(survey));
  std::map<int, std::vector<const FileSurvey*>> bySize;
  for (const FileSurvey& survey : surveys) bySize[survey.tally.Settings().size].push_back(&survey);
  std::string text;
  for (const auto& [size, ofSize] : bySize) {
    const SurveyTally merged = MergedSurvey(size, ofSize, request);
    if (request.json) {
      AppendSurveyJson(merged, {}, text);
    } else {
      if (!text.empty()) text += '\n';
      AppendSurveyText(merged, {}, text);
    }
  }
  WriteToStandardOutput(text);
}
