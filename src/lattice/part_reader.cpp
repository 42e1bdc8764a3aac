// Reading and checking one part file. The lines of a survey come in the order survey writes
// them (header, distribution from the most sublattices down, top list, at-least list), so
// each line is checked against the ones before it and each survey, at the end of the file,
// against its header: a cut file, a dropped or doubled line and a wrong number all show.
#include "lattice/part_reader.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

#include "input/whole_number.h"
#include "lattice/command_error.h"

namespace mirelkon {

namespace {

using Json = nlohmann::json;

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

// "K/M" as survey and all write it.
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

enum List { topList, atLeastList };
const char* const listNames[] = {"the top list", "the at-least list"};

// A lattice of a list as far as the checks need it: its number and line; the lattice last
// read is kept whole, for the order of the next.
struct RankedLine {
  std::uint64_t sublattices;
  int line;
};

// What one survey's lines promised and gave so far.
struct SurveyCheck {
  int headerLine = 0;
  std::uint64_t lattices = 0;  // as the header states
  int stage = 0;               // 0 the distribution, 1 the top list, 2 the at-least list
  std::optional<std::uint64_t> lastSublattices;  // of the distribution
  std::vector<RankedLine> lists[2];
  RankedLattice last[2];
};

class PartFileReader {
 public:
  explicit PartFileReader(PartFile& result) : result_(result) {}

  void Read() {
    std::ifstream in(result_.file, std::ios::binary);
    if (!in) throw UsageError("cannot open the survey file " + result_.file);
    std::string text;
    int line = 1;
    for (; std::getline(in, text); ++line) {
      if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
      ReadRecord(Json::parse(text, nullptr, false), line);
    }
    if (in.bad()) throw UsageError("cannot read the survey file " + result_.file);
    if (result_.surveys.empty() && result_.counts.empty())
      throw UsageError(result_.file + " holds no survey; did its run end before writing?");
    for (std::size_t i = 0; i < checks_.size(); ++i)
      CheckWhole(result_.surveys[i].tally, checks_[i]);
  }

 private:
  CommandError LineError(int line, const std::string& message) const {
    return {result_.file + ":" + std::to_string(line) + ": " + message};
  }

  void ReadRecord(const Json& record, int line) {
    bool ok = record.is_object();
    const int size = IntField(record, "n", 1, maxGeneratedSize, ok);
    if (!ok) throw LineError(line, notPart);
    if (record.contains("rank")) {
      ReadRanked(record, size, line);
    } else if (record.contains("sub")) {
      ReadDistribution(record, size, line);
    } else if (record.contains("checksum")) {
      ReadCount(record, size, line);
    } else {
      ReadHeader(record, size, line);
    }
  }

  void CheckNewSize(int size, int line) const {
    const auto same = [size](const auto& item) {
      if constexpr (std::is_same_v<std::decay_t<decltype(item)>, CountPart>) {
        return item.size == size;
      } else {
        return item.tally.Settings().size == size;
      }
    };
    if (std::any_of(result_.surveys.begin(), result_.surveys.end(), same) ||
        std::any_of(result_.counts.begin(), result_.counts.end(), same))
      throw LineError(line,
                      "a second record of the lattices of " + std::to_string(size) + " elements");
  }

  void ReadCount(const Json& record, int size, int line) {
    bool ok = true;
    CountPart count;
    count.size = size;
    count.lattices = CountField(record, "lattices", ok);
    const auto checksum = record.find("checksum");
    if (!ok || !record.contains("part") || !ReadPart(record, count.part) || !checksum->is_string())
      throw LineError(line, notPart);
    CheckNewSize(size, line);
    if (*checksum != CountChecksum(count))
      throw LineError(line, "the checksum does not match the numbers; the record is damaged");
    result_.counts.push_back(count);
  }

  void ReadHeader(const Json& record, int size, int line) {
    bool ok = true;
    SurveySettings settings;
    settings.size = size;
    settings.top = IntField(record, "top", 0, 1000000, ok);
    settings.listCapacity = SIZE_MAX;
    if (record.contains("at_least")) settings.atLeast = CountField(record, "at_least", ok);
    SurveyCheck check;
    check.headerLine = line;
    check.lattices = CountField(record, "lattices", ok);
    SurveyPart part;
    if (!ok || !ReadPart(record, part)) throw LineError(line, notPart);
    CheckNewSize(size, line);
    result_.surveys.push_back({part, SurveyTally(settings)});
    checks_.push_back(check);
  }

  // A number of sublattices of a lattice of n elements: the empty set and the n one-element
  // sets at least, every subset at most.
  void CheckSublattices(std::uint64_t sublattices, int size, int line) const {
    const std::uint64_t most = std::uint64_t{1} << size;
    if (sublattices < static_cast<std::uint64_t>(size) + 1 || sublattices > most)
      throw LineError(line, "|Sub(L)| = " + std::to_string(sublattices) + " lies outside " +
                                std::to_string(size + 1) + ".." + std::to_string(most) +
                                ", the range for " + std::to_string(size) + " elements");
  }

  void ReadDistribution(const Json& record, int size, int line) {
    bool ok = true;
    const std::uint64_t sublattices = CountField(record, "sub", ok);
    const std::uint64_t lattices = CountField(record, "lattices", ok);
    if (!ok || lattices == 0) throw LineError(line, notPart);
    const std::size_t at = Survey(size, line);
    SurveyCheck& check = checks_[at];
    CheckSublattices(sublattices, size, line);
    if (check.stage > 0 || (check.lastSublattices && *check.lastSublattices <= sublattices))
      throw LineError(line, "the distribution is not in the order survey writes it here");
    check.lastSublattices = sublattices;
    result_.surveys[at].tally.AddLattices(sublattices, lattices);
  }

  void ReadRanked(const Json& record, int size, int line) {
    bool ok = true;
    const int rank = IntField(record, "rank", 1, INT32_MAX, ok);
    RankedLattice lattice;
    lattice.sublattices = CountField(record, "sub", ok);
    const auto name = record.find("list");
    const bool atLeast = name != record.end() && *name == "at-least";
    if (!ok || !ReadCovers(record, size, lattice.covers) ||
        (name != record.end() && !atLeast && *name != "top"))
      throw LineError(line, notPart);
    const std::size_t at = Survey(size, line);
    CheckSublattices(lattice.sublattices, size, line);
    const List list = atLeast ? atLeastList : topList;
    SurveyCheck& check = checks_[at];
    std::vector<RankedLine>& lines = check.lists[list];
    if (check.stage > 1 + list)
      throw LineError(line, std::string("a line of ") + listNames[list] + " after the next list");
    check.stage = 1 + list;
    if (rank != static_cast<int>(lines.size()) + 1)
      throw LineError(line, "rank " + std::to_string(rank) + " of " + listNames[list] +
                                " where rank " + std::to_string(lines.size() + 1) + " belongs");
    if (!lines.empty() && !RanksBefore(check.last[list], lattice))
      throw LineError(line, "rank " + std::to_string(rank) + " of " + listNames[list] +
                                " does not rank below rank " + std::to_string(rank - 1));
    lines.push_back({lattice.sublattices, line});
    check.last[list] = lattice;
    SurveyTally& tally = result_.surveys[at].tally;
    if (atLeast) {
      tally.AddListed(lattice);
    } else {
      tally.OfferTop(lattice);
    }
  }

  // The lists hold the lattices with the most sublattices, so their numbers are the largest
  // of the distribution, each as often as it occurs there.
  void CheckList(const SurveyTally& tally, const SurveyCheck& check, List list,
                 std::uint64_t expected) const {
    const std::vector<RankedLine>& lines = check.lists[list];
    const std::string of = std::to_string(tally.Settings().size) + " elements";
    if (lines.size() != expected)
      throw LineError(check.headerLine, std::string(listNames[list]) + " of the lattices of " + of +
                                            " has " + std::to_string(lines.size()) +
                                            " lattices, not " + std::to_string(expected) +
                                            "; is the file complete?");
    auto value = tally.Distribution().begin();
    std::uint64_t used = 0;  // lattices of the current value already met in the list
    for (std::size_t i = 0; i < lines.size(); ++i) {
      while (value != tally.Distribution().end() && used == value->second) {
        ++value;
        used = 0;
      }
      if (value == tally.Distribution().end() || value->first != lines[i].sublattices)
        throw LineError(lines[i].line, "rank " + std::to_string(i + 1) + " of " + listNames[list] +
                                           " does not match the distribution of the lattices "
                                           "of " +
                                           of);
      ++used;
    }
  }

  void CheckWhole(const SurveyTally& tally, const SurveyCheck& check) const {
    const SurveySettings& settings = tally.Settings();
    if (tally.Lattices() != check.lattices)
      throw LineError(check.headerLine, "the numbers of sublattices of the lattices of " +
                                            std::to_string(settings.size) + " elements add up to " +
                                            std::to_string(tally.Lattices()) + " lattices, not " +
                                            std::to_string(check.lattices) +
                                            "; is the file complete?");
    CheckList(tally, check, topList,
              std::min<std::uint64_t>(static_cast<std::uint64_t>(settings.top), check.lattices));
    std::uint64_t reaching = 0;
    if (settings.atLeast)
      for (const auto& [sublattices, lattices] : tally.Distribution())
        if (sublattices >= *settings.atLeast) reaching += lattices;
    CheckList(tally, check, atLeastList, reaching);
  }

  std::size_t Survey(int size, int line) const {
    for (std::size_t i = 0; i < result_.surveys.size(); ++i)
      if (result_.surveys[i].tally.Settings().size == size) return i;
    throw LineError(line, "a line about lattices of " + std::to_string(size) +
                              " elements before the line with their number");
  }

  static constexpr const char* notPart = "not a line written by survey --json";
  PartFile& result_;
  std::vector<SurveyCheck> checks_;  // beside result_.surveys, one for one
};

}  // namespace

PartFile ReadPartFile(const std::string& file) {
  PartFile result;
  result.file = file;
  try {
    PartFileReader(result).Read();
  } catch (const CommandError& error) {
    result.failure = error.text;
  }
  return result;
}

}  // namespace mirelkon
