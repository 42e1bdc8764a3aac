// JSON lines for scripts (--json): one object per counted job, one per run that stops on a
// data error and one per input file that cannot be opened, each on a line of its own.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mirelkon {

// A record stays near one write a pipe keeps whole (4096 bytes): longer lists are cut, the
// counts of the record telling how long they are.
constexpr std::size_t maxListedDerived = 128;
constexpr std::size_t maxListedWarnings = 5;

struct JobRecord {
  std::string name;
  int size;
  int subtrahend;
  int inputConstraints;
  int derivedConstraints;
  // |Sub(L)| in decimal (it may exceed what a JSON number holds exactly), or the count the
  // queries narrowed it to; null when that count was withheld.
  std::optional<std::string> sub;
  double sigma;
  double milliseconds;  // time of the count
  // Answers beyond the count, in the order asked: a name and a text, or null for an answer
  // withheld.
  std::vector<std::pair<std::string, std::optional<std::string>>> answers;
  // The number of counted subsets of each size 0..n in decimal, when asked for.
  std::vector<std::string> profile = {};
  std::optional<int> latticeConstraints = {};  // joins and meets added by --lattice
  // Element symbol and name, in element order, for the elements the input file names.
  std::vector<std::pair<std::string, std::string>> legend = {};
  // The derived equations in their written form, at most maxListedDerived of them.
  std::vector<std::string> derived = {};
  // The warnings of the job, by input line, at most maxListedWarnings of them.
  std::vector<std::pair<int, std::string>> warnings = {};
  // A typed join or meet that no lattice satisfies, or empty.
  std::string impossible = {};
};

class JsonRecords {
 public:
  std::FILE* out = nullptr;  // nullptr: no JSON is written

  // Starts the records of another input file, named as given.
  void StartFile(const std::string& file);
  void WriteJob(const JobRecord& record);
  // A run that stopped: the message with its tag, and its input line (0: none applies); the
  // detail, when there is one, says exactly what is wrong.
  void WriteError(const std::string& message, int line, const std::string& detail = {});
  // One closed subset of the job last written.
  void WriteSubset(const std::string& subset);

 private:
  std::string file_;
  int jobNumber_ = 0;  // jobs counted in this file so far
};

}  // namespace mirelkon
