// Adding up the parts of a split run. Every file is read and checked first; the refusal then
// names every damaged file and, for each size, every part that is missing or failed, so that
// only those are run again.
#include "lattice/merge_command.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/drawing_output.h"
#include "lattice/part_reader.h"
#include "lattice/top_drawing.h"
#include "report/counted.h"

namespace mirelkon {

namespace {

// One size's part as one file holds it.
struct PartEntry {
  const PartFile* file;
  SurveyPart part;
  const FileSurvey* survey;  // nullptr for a count
  const CountPart* count;    // nullptr for a survey
  bool failed;               // the file is damaged: the part is to be run again
};

std::string Sized(int size) {
  return Counted(size, "element") + ": ";
}

std::optional<std::uint64_t> AtLeast(const PartEntry& entry) {
  return entry.survey != nullptr ? entry.survey->tally.Settings().atLeast : std::nullopt;
}

// The entries of one size must be one whole run or every part of one split once, all
// counts or all surveys. Answers the line naming the parts missing or failed, empty if none.
std::string CheckParts(int size, const std::vector<PartEntry>& entries) {
  const PartEntry& first = entries.front();
  const int parts = first.part.parts;
  std::vector<const PartEntry*> byPart(parts, nullptr);
  for (const PartEntry& entry : entries) {
    const std::string both = Sized(size) + first.file->file + " and " + entry.file->file;
    if ((entry.survey == nullptr) != (first.survey == nullptr))
      throw UsageError(both + " are not alike: one counts the lattices, the other surveys them");
    if (entry.part.parts != parts)
      throw UsageError(both + (parts == 1 || entry.part.parts == 1
                                   ? " overlap: one of them surveys every lattice"
                                   : " are parts of different splits"));
    if (AtLeast(entry) != AtLeast(first))
      throw UsageError(both + " list the lattices above different thresholds");
    const PartEntry*& slot = byPart[entry.part.part];
    if (slot != nullptr)
      throw UsageError(Sized(size) + slot->file->file + " and " + entry.file->file +
                       (parts == 1 ? " both survey every lattice"
                                   : " are both part " + std::to_string(entry.part.part + 1) + "/" +
                                         std::to_string(parts)));
    slot = &entry;
  }
  std::string named;
  int count = 0;
  bool failed = false;
  for (int part = 0; part < parts; ++part) {
    if (byPart[part] != nullptr && !byPart[part]->failed) continue;
    failed = failed || byPart[part] != nullptr;
    named += (count++ == 0 ? "" : ", ") + std::to_string(part + 1);
  }
  // A whole run that failed is named by its file's error alone.
  if (count == 0 || parts == 1) return "";
  return "mirelkon-lattice: " + Sized(size) + std::to_string(count) + " of the " +
         std::to_string(parts) + " parts " + (count == 1 ? "is" : "are") + " missing" +
         (failed ? " or failed: " : ": ") + named;
}

void AppendMergedSurvey(const std::vector<PartEntry>& entries, const GenerationRequest& request,
                        bool severalSizes, std::string& text, std::vector<OrderDrawing>& sheet) {
  SurveySettings settings = entries.front().survey->tally.Settings();
  for (const PartEntry& entry : entries)
    settings.top = std::min(settings.top, entry.survey->tally.Settings().top);
  if (request.top) settings.top = std::min(settings.top, *request.top);
  SurveyTally merged(settings);
  for (const PartEntry& entry : entries) merged.Merge(entry.survey->tally);
  AddTopDrawings(merged, severalSizes, sheet);
  if (request.json) {
    AppendSurveyJson(merged, {}, text);
  } else {
    if (!text.empty()) text += '\n';
    AppendSurveyText(merged, {}, text);
  }
}

// The parts of a count add up to the number all N --count writes.
void AppendMergedCount(int size, const std::vector<PartEntry>& entries,
                       const GenerationRequest& request, std::string& text) {
  std::uint64_t lattices = 0;
  for (const PartEntry& entry : entries) lattices += entry.count->lattices;
  text += request.json ? "{\"n\":" + std::to_string(size) + ",\"lattices\":\"" +
                             std::to_string(lattices) + "\"}\n"
                       : std::to_string(lattices) + "\n";
}

}  // namespace

void RunMergeCommand(const GenerationRequest& request) {
  std::vector<PartFile> files;
  for (const std::string& file : request.files) files.push_back(ReadPartFile(file));
  std::vector<OrderDrawing> sheet;
  const std::string text = MergedText(files, request, sheet);
  if (!request.drawTop.empty())
    WriteToNewFile(DrawnBytes(sheet, DrawingFileFormat(request.drawTop, "--draw-top")),
                   request.drawTop);
  WriteToStandardOutput(text);
}

std::string MergedText(const std::vector<PartFile>& files, const GenerationRequest& request,
                       std::vector<OrderDrawing>& sheet) {
  std::map<int, std::vector<PartEntry>> bySize;
  std::string refusal;
  for (const PartFile& file : files) {
    const bool failed = !file.failure.empty();
    if (failed) refusal += file.failure + "\n";
    for (const FileSurvey& survey : file.surveys)
      bySize[survey.tally.Settings().size].push_back(
          {&file, survey.part, &survey, nullptr, failed});
    for (const CountPart& count : file.counts)
      bySize[count.size].push_back({&file, count.part, nullptr, &count, failed});
  }
  for (const auto& [size, entries] : bySize) {
    try {
      const std::string missing = CheckParts(size, entries);
      if (!missing.empty()) refusal += missing + "\n";
    } catch (const CommandError& error) {
      refusal += error.text + "\n";
    }
  }
  if (!refusal.empty()) {
    refusal.pop_back();
    throw CommandError{refusal};
  }
  std::string text;
  for (const auto& [size, entries] : bySize) {
    if (entries.front().survey != nullptr) {
      AppendMergedSurvey(entries, request, bySize.size() > 1, text, sheet);
    } else {
      AppendMergedCount(size, entries, request, text);
    }
  }
  return text;
}

}  // namespace mirelkon
