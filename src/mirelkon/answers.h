// The answers to the queries beyond the count for one counted job: lines after the result
// lines on the screen and in the result file, fields of its JSON record, and the list of its
// closed subsets on standard output, in a list file or as JSON lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/big_count.h"
#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/count.h"
#include "core/symmetry.h"
#include "input/input_reader.h"
#include "mirelkon/queries.h"
#include "report/json_records.h"
#include "report/report_channel.h"

namespace mirelkon {

// Fields of a JSON record: a name and a text, or null for an answer withheld.
using AnswerFields = std::vector<std::pair<std::string, std::optional<std::string>>>;

struct Answers {
  std::vector<std::string> lines;  // after the result lines, on both outputs
  AnswerFields fields;             // of the JSON record
  bool narrowed = false;  // the count of the JSON record is narrowedSub, null when withheld
  std::optional<std::string> narrowedSub;
  Mask required = 0;                  // the elements every counted subset holds
  std::optional<SubsetCount> listed;  // the number of subsets to list, when listed
  bool withheld = false;             // an answer is missing: see the lines and the field "withheld"
  std::vector<std::string> profile;  // the counts by size in decimal, when asked for
};

Answers AnswerQueries(const Queries& queries, ClosedSetCounter& counter, const ParsedJob& job,
                      const Problem& problem, SubsetCount count);

// |Aut(L)| and the count up to symmetry, or why it is withheld; `holding` names the required
// elements (" holding a, b"), empty when there are none. Counts of any size answer alike.
template <class Count>
void AnswerSymmetry(Answers& answers, const SymmetryCountOf<Count>& symmetry,
                    const std::string& holding);

// Adds a reason to the field "withheld", the one field that gives every reason of a record.
void AddWithheld(AnswerFields& fields, const std::string& reason);

// --list for a lattice of more than 64 elements: its `count` closed subsets (those holding the
// required elements), listed when at most the limit. --draw is refused: a drawing takes at
// most 64 elements.
void AnswerWideList(Answers& answers, const Queries& queries, const BigCount& count);

// A job's closed subsets as the list writes them: the job's name for the list file, the
// listing, each subset handed over as its words (element e is bit e % 64 of word e / 64), and
// the text of a subset.
struct ListedSubsets {
  using Visit = std::function<bool(std::span<const std::uint64_t>)>;
  std::string jobName;
  std::function<void(const Visit&)> list;
  std::function<std::string(std::span<const std::uint64_t>)> text;
};

// The closed subsets of a job of at most 64 elements that hold the required elements.
ListedSubsets SubsetsOf(const ParsedJob& job, const Problem& problem, Mask required);

// Writes the closed subsets the answers list: as JSON lines when JSON is written and no list
// file is given, else to the list file (nullptr: the screen) one per line, after a line that
// says whose they are; by size, the smallest first, when asked.
void WriteList(const Answers& answers, std::FILE* listFile, bool bySize, ReportChannel& report,
               JsonRecords& json, const ListedSubsets& subsets);

// The fields of a job whose list could not be written: "listed" becomes null, and "withheld"
// gives the reason.
void MarkListingFailed(Answers& answers, const std::string& reason);

}  // namespace mirelkon
