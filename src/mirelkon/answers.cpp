// Answering the queries through the library: the closed subsets holding required elements are
// those of a restricted rule system, counted, listed and counted up to symmetry like any other.
#include "mirelkon/answers.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <utility>
#include <vector>

#include "core/closed_set_lister.h"
#include "core/count.h"
#include "core/limits.h"
#include "core/symmetry.h"

#include "input/element_names.h"
#include "input/io_failure.h"
#include "mirelkon/listed_drawings.h"

namespace mirelkon {

namespace {

void WriteListLine(std::FILE* file, const std::string& text) {
  if (std::fputs(text.c_str(), file) == EOF || std::fputs("\r\n", file) == EOF)
    FailIo("write the list file");
}

// "a, c, i", or the names "10, 12" where the job has a legend.
std::string ListedText(const ParsedJob& job, Mask set) {
  std::string text;
  for (Mask m = set; m != 0; m &= m - 1)
    text += (text.empty() ? "" : ", ") + ElementName(job.lattice, job.legend, Lowest(m));
  return text;
}

// The one element below (above) every element; -1 when there is none or more than one.
int Bound(const Order& order, bool least) {
  int found = -1;
  for (int x = 0; x < order.size; ++x) {
    const Mask related = least ? order.above[x] : order.BelowOf(x);
    if (related != FirstElements(order.size)) continue;
    if (found >= 0) return -1;
    found = x;
  }
  return found;
}

// The elements the queries require; an empty text, or why they cannot be required.
std::string Required(const Queries& queries, const ParsedJob& job, Mask& required) {
  const PartialLattice& lattice = job.lattice;
  const ElementChoice named = ResolveElements(lattice, job.legend, queries.containing);
  if (!named.unknown.empty()) return "\"" + named.unknown + "\" is no element of L";
  required |= named.elements;
  if (!queries.bounded) return {};
  const int bottom = Bound(lattice.order, true), top = Bound(lattice.order, false);
  if (bottom < 0 || top < 0)
    return std::string("L has no single ") + (bottom < 0 ? "bottom" : "top");
  required |= Bit(bottom) | Bit(top);
  return {};
}

void Withhold(Answers& answers, const std::string& reason) {
  answers.withheld = true;
  AddWithheld(answers.fields, reason);
}

}  // namespace

void AddWithheld(AnswerFields& fields, const std::string& reason) {
  for (auto& [name, text] : fields)
    if (name == "withheld") {
      *text += "; " + reason;
      return;
    }
  fields.push_back({"withheld", reason});
}

template <class Count>
void AnswerSymmetry(Answers& answers, const SymmetryCountOf<Count>& symmetry,
                    const std::string& holding) {
  answers.lines.push_back("-- |Aut(L)|=" + symmetry.automorphisms);
  answers.fields.push_back({"automorphisms", symmetry.automorphisms});
  answers.fields.push_back({"sub_up_to_symmetry", symmetry.orbits
                                                      ? std::optional(DecimalText(*symmetry.orbits))
                                                      : std::nullopt});
  if (!symmetry.orbits) {
    const std::string reason =
        symmetry.classes > maxCountedClasses
            ? "its " + std::to_string(symmetry.stabilizer) + " automorphisms fall into " +
                  std::to_string(symmetry.classes) + " classes of conjugates, more than " +
                  std::to_string(maxCountedClasses)
            : "|Aut(L)| is above " + std::to_string(maxEnumeratedAutomorphisms);
    answers.lines.push_back("-- Closed subsets up to symmetry: not counted, " + reason);
    Withhold(answers, "up to symmetry: " + reason);
    return;
  }
  std::string line =
      "-- Closed subsets" + holding + " up to symmetry: " + DecimalText(*symmetry.orbits);
  if (!holding.empty())
    line += ", under the " + std::to_string(symmetry.stabilizer) + " automorphisms keeping them";
  answers.lines.push_back(line);
}

template void AnswerSymmetry(Answers&, const SymmetryCount&, const std::string&);
template void AnswerSymmetry(Answers&, const WideSymmetryCount&, const std::string&);

namespace {

// One line per size that occurs; the JSON array has every size 0..n.
void AnswerProfile(Answers& answers, ClosedSetCounter& counter, const Problem& problem,
                   const std::string& holding) {
  const std::vector<std::uint64_t> bySize = problem.CountBySize(counter, answers.required);
  for (std::size_t k = 0; k < bySize.size(); ++k) {
    const std::string number = std::to_string(bySize[k]);
    if (bySize[k] != 0)
      answers.lines.push_back("-- Closed subsets" + holding + " of size " + std::to_string(k) +
                              ": " + number);
    answers.profile.push_back(number);
  }
}

// A list longer than the limit, of `count` subsets in decimal.
void RefuseList(Answers& answers, const Queries& queries, const std::string& count) {
  const std::string reason =
      count + " of them, more than the limit " + std::to_string(queries.listLimit);
  answers.lines.push_back("-- The closed subsets are not listed: " + reason);
  answers.fields.push_back({"listed", std::nullopt});
  Withhold(answers, "list: " + reason);
}

void AnswerList(Answers& answers, const Queries& queries, SubsetCount count) {
  if (count > queries.listLimit) return RefuseList(answers, queries, DecimalText(count));
  answers.listed = count;
  const std::string where = queries.listTo.empty() ? "on standard output" : "in " + queries.listTo;
  answers.lines.push_back("-- The " + DecimalText(count) + " closed subsets are listed " + where +
                          ".");
  answers.fields.push_back({"listed", DecimalText(count)});
}

// The line that says where --draw puts the drawings, or why there are none.
void AnswerDrawings(Answers& answers, const Queries& queries, const ParsedJob& job) {
  if (!DrawableOrder(job.lattice.order)) {
    answers.lines.push_back("-- The closed subsets are not drawn: the order has a cycle.");
    return;
  }
  const bool cut = *answers.listed > drawnSubsetLimit;
  answers.lines.push_back(
      "-- " + (cut ? "The first " + std::to_string(drawnSubsetLimit) : std::string("They")) +
      " are drawn in " + queries.drawFolder + ".");
}

}  // namespace

Answers AnswerQueries(const Queries& queries, ClosedSetCounter& counter, const ParsedJob& job,
                      const Problem& problem, SubsetCount count) {
  Answers answers;
  const PartialLattice& lattice = job.lattice;
  if (const std::string refusal = Required(queries, job, answers.required); !refusal.empty()) {
    answers.lines.push_back("-- Not answered beyond the count: " + refusal);
    answers.narrowed = true;
    Withhold(answers, refusal);
    return answers;
  }
  std::string holding;
  if (answers.required != 0) {
    count = problem.Count(counter, answers.required);
    holding = " holding " + ListedText(job, answers.required);
    answers.lines.push_back("-- Closed subsets" + holding + ": " + DecimalText(count));
    answers.fields.push_back({"containing", ElementsText(lattice, job.legend, answers.required)});
    answers.narrowed = true;
    answers.narrowedSub = DecimalText(count);
  }
  if (queries.profile) AnswerProfile(answers, counter, problem, holding);
  if (queries.upToSymmetry)
    AnswerSymmetry(answers, problem.CountUpToSymmetry(counter, answers.required), holding);
  if (queries.list) AnswerList(answers, queries, count);
  if (answers.listed && !queries.drawFolder.empty()) AnswerDrawings(answers, queries, job);
  return answers;
}

void AnswerWideList(Answers& answers, const Queries& queries, const BigCount& count) {
  if (count > queries.listLimit) {
    RefuseList(answers, queries, DecimalText(count));
  } else {
    AnswerList(answers, queries, SubsetCount{count.get_ui()});
  }
  if (queries.drawFolder.empty()) return;
  const std::string reason = "a drawing takes at most " + std::to_string(maxElements) + " elements";
  answers.lines.push_back("-- The closed subsets are not drawn: " + reason + ".");
  Withhold(answers, "drawing: " + reason);
}

ListedSubsets SubsetsOf(const ParsedJob& job, const Problem& problem, Mask required) {
  return {job.name,
          [&job, &problem, required](const ListedSubsets::Visit& visit) {
            problem.List(required, [&](Mask set) { return visit({&set, 1}); });
          },
          [&job](std::span<const std::uint64_t> set) {
            return ElementsText(job.lattice, job.legend, set[0]);
          }};
}

void WriteList(const Answers& answers, std::FILE* listFile, bool bySize, ReportChannel& report,
               JsonRecords& json, const ListedSubsets& subsets) {
  if (!answers.listed) return;
  const bool asJson = json.out != nullptr && listFile == nullptr;
  // A long list goes to the screen in one stream, not flushed line by line.
  const bool flushScreen = report.flushScreen;
  report.flushScreen = false;
  if (!asJson && listFile == nullptr)
    report.WriteScreenLine("-- The " + DecimalText(*answers.listed) + " closed subsets:");
  if (listFile != nullptr)
    WriteListLine(listFile,
                  "% " + subsets.jobName + ": " + DecimalText(*answers.listed) + " closed subsets");
  auto write = [&](std::span<const std::uint64_t> set) {
    const std::string text = subsets.text(set);
    if (asJson) {
      json.WriteSubset(text);
    } else if (listFile != nullptr) {
      WriteListLine(listFile, text);
    } else {
      report.WriteScreenLine(text);
    }
    return true;
  };
  if (!bySize) {
    subsets.list(write);
  } else {
    // At most the list's limit of subsets are held, word by word in the order found, then
    // ordered by size, those of one size in the order found.
    std::vector<std::uint64_t> words;
    // Size and place in the order found; a limit is below 2^31, so the place fits 32 bits.
    std::vector<std::pair<int, std::uint32_t>> found;
    std::size_t stride = 0;
    subsets.list([&](std::span<const std::uint64_t> set) {
      int size = 0;
      for (std::uint64_t w : set) size += std::popcount(w);
      found.push_back({size, static_cast<std::uint32_t>(found.size())});
      words.insert(words.end(), set.begin(), set.end());
      stride = set.size();
      return true;
    });
    std::sort(found.begin(), found.end());
    for (const auto& [size, place] : found)
      write({words.data() + std::size_t{place} * stride, stride});
  }
  // The record that follows says whether the list reached its file.
  errno = 0;
  if (listFile != nullptr && std::fflush(listFile) != 0) FailIo("write the list file");
  report.flushScreen = flushScreen;
  report.FlushScreen();
}

void MarkListingFailed(Answers& answers, const std::string& reason) {
  for (auto& [name, text] : answers.fields)
    if (name == "listed") text.reset();
  Withhold(answers, "list: " + reason);
}

}  // namespace mirelkon
