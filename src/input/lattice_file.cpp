// Reading lattice files: lines of bounded length, cover pairs into a relation of the largest
// size, digraph6, and the lattice check of each lattice.
#include "input/lattice_file.h"

#include <cassert>
#include <string_view>
#include <unordered_map>

#include "input/data_error.h"
#include "input/input_file.h"
#include "input/short_string.h"
#include "named/named_lattice.h"

namespace mirelkon {

namespace {

constexpr std::size_t maxNameLength = 255;
constexpr int firstGraphChar = 63, lastGraphChar = 126;

// The cover pairs of a lattice read so far: its names and the pairs between them, in a
// relation as large as a lattice may be, so that repeated pairs cost nothing.
struct PendingLattice {
  int line = 0;
  std::vector<std::string> names;
  std::unordered_map<std::string, int> numbers;
  WideOrder relation{maxWideElements};

  bool Empty() const { return line == 0; }
};

std::string_view Trimmed(std::string_view s) {
  const std::size_t start = s.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return s.substr(start, s.find_last_not_of(" \t") - start + 1);
}

std::string_view WithoutComment(std::string_view s) {
  return Trimmed(s.substr(0, s.find('%')));
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(CutAtCharacter(text, 60));
  quoted.append(text.size() > 60 ? "...\"" : "\"");
  return quoted;
}

[[noreturn]] void Refuse(std::string message, int line) {
  CutToMaxLength(message);
  throw DataError{std::move(message), line, {}};
}

std::string TooManyElements() {
  return "more than " + std::to_string(maxWideElements) + " elements, the most a lattice may have";
}

bool IsDigraph6(std::string_view text) {
  return text.starts_with('&');
}

// "lower<upper" with two names that are not empty.
bool IsPair(std::string_view token) {
  const std::size_t less = token.find('<');
  return less != std::string_view::npos && less > 0 && less + 1 < token.size() &&
         token.find('<', less + 1) == std::string_view::npos;
}

template <class Visit>
void ForEachToken(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = text.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
    visit(text.substr(start, end - start));
    at = end;
  }
}

int NumberOf(PendingLattice& pending, std::string_view name, int line) {
  const auto found = pending.numbers.find(std::string(name));
  if (found != pending.numbers.end()) return found->second;
  if (name.size() > maxNameLength)
    Refuse("the name " + Quoted(name) + " is longer than 255 characters", line);
  if (static_cast<int>(pending.names.size()) == maxWideElements) Refuse(TooManyElements(), line);
  const int number = static_cast<int>(pending.names.size());
  pending.names.emplace_back(name);
  pending.numbers.emplace(name, number);
  return number;
}

// The order the pairs generate among the first n elements, checked as a lattice.
void CheckedLattice(std::vector<std::string> names, const WideOrder& relation, int line,
                    DrawnLattice& lattice) {
  const int n = static_cast<int>(names.size());
  WideOrder order(n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (relation.Below(x, y)) order.Add(x, y);
  order.Close();
  WideLatticeCheck check = CheckWideLattice(order);
  if (check.fault) Refuse(LatticeFaultText(names, *check.fault), line);
  lattice.line = line;
  lattice.names = std::move(names);
  lattice.order = std::move(order);
  lattice.tables = std::move(check.tables);
}

// "&", the number of vertices (one character, or "~" and three), then the adjacency matrix
// row by row, six bits to a character, the first bit highest.
void ReadDigraph6(std::string_view text, int line, DrawnLattice& lattice) {
  const auto refuse = [line](const std::string& why) {
    Refuse("not a line of digraph6: " + why, line);
  };
  for (char c : text.substr(1))
    if (c < firstGraphChar || c > lastGraphChar) refuse("the character " + Quoted({&c, 1}));
  std::size_t at = 2;
  long n = text.size() > 1 ? text[1] - firstGraphChar : -1;
  if (n == lastGraphChar - firstGraphChar) {
    if (text.size() < 5 || text[2] == lastGraphChar) Refuse(TooManyElements(), line);
    n = 0;
    for (at = 2; at < 5; ++at) n = n << 6 | (text[at] - firstGraphChar);
  }
  if (n < 1) refuse("no number of elements");
  if (n > maxWideElements) Refuse(TooManyElements(), line);
  const std::size_t bits = static_cast<std::size_t>(n * n);
  if (text.size() != at + (bits + 5) / 6)
    refuse(std::to_string(n) + " elements take " + std::to_string(at + (bits + 5) / 6) +
           " characters, the line has " + std::to_string(text.size()));
  WideOrder relation(static_cast<int>(n));
  std::vector<std::string> names;
  for (int x = 0; x < n; ++x) names.push_back(std::to_string(x));
  for (std::size_t b = 0; b < bits; ++b) {
    if (((text[at + b / 6] - firstGraphChar) >> (5 - b % 6) & 1) == 0) continue;
    const int x = static_cast<int>(b / n), y = static_cast<int>(b % n);
    if (x == y) Refuse("not a lattice: " + names[x] + " is drawn above itself", line);
    relation.Add(x, y);
  }
  CheckedLattice(std::move(names), relation, line, lattice);
}

// The pairs of one line, into the lattice under way.
void ReadPairs(std::string_view text, int line, PendingLattice& pending) {
  if (pending.Empty()) pending.line = line;
  ForEachToken(text, [&](std::string_view token) {
    if (!IsPair(token))
      Refuse(Quoted(token) + " is no cover pair lower<upper (names hold no blanks and no \"<\")",
             line);
    const std::size_t less = token.find('<');
    const int lower = NumberOf(pending, token.substr(0, less), line);
    const int upper = NumberOf(pending, token.substr(less + 1), line);
    if (lower == upper)
      Refuse("not a lattice: " + Quoted(token) + " puts an element below itself", line);
    pending.relation.Add(lower, upper);
  });
}

}  // namespace

// A line ends at LF, CR LF or a lone CR.
bool LatticeFileReader::ReadLine() {
  std::streambuf& in = *in_.rdbuf();
  line_.clear();
  int c = in.sbumpc();
  if (c == std::char_traits<char>::eof()) return false;
  ++lineNumber_;
  for (; c != std::char_traits<char>::eof() && c != '\n'; c = in.sbumpc()) {
    if (c == '\r') {
      if (in.sgetc() == '\n') in.sbumpc();
      break;
    }
    if (line_.size() == static_cast<std::size_t>(maxPhysicalLineLength))
      Refuse("the line is longer than " + std::to_string(maxPhysicalLineLength >> 20) +
                 " MiB: this is no lattice file",
             lineNumber_);
    line_ += static_cast<char>(c);
  }
  return true;
}

bool LatticeFileReader::Next(DrawnLattice& lattice) {
  PendingLattice pending;
  while (lineHeld_ || ReadLine()) {
    lineHeld_ = false;
    const std::string_view content = WithoutComment(line_);
    if (content.empty() || content == "---") {
      const bool separator = Trimmed(line_).empty() || content == "---";
      if (separator && !pending.Empty()) break;
      continue;
    }
    if (IsDigraph6(content)) {
      if (!pending.Empty()) {
        lineHeld_ = true;
        break;
      }
      ReadDigraph6(content, lineNumber_, lattice);
      ++lattices_;
      return true;
    }
    ReadPairs(content, lineNumber_, pending);
  }
  if (pending.Empty()) {
    if (lattices_ == 0)
      Refuse("the file draws no lattice: no cover pair lower<upper in it", lineNumber_);
    return false;
  }
  CheckedLattice(std::move(pending.names), pending.relation, pending.line, lattice);
  ++lattices_;
  return true;
}

namespace {

std::vector<std::string> WritableNames(const std::vector<std::string>& given) {
  std::vector<std::string> names = given;
  std::unordered_map<std::string, int> seen;
  bool repeated = false;
  for (std::string& name : names) {
    // A span <(1,0),(0,1)> becomes [(1,0),(0,1)].
    if (Contains(name, "<"))
      for (char& c : name)
        if (c == '<' || c == '>') c = c == '<' ? '[' : ']';
    for (char& c : name)
      if (c == ' ' || c == '\t' || c == '%') c = '_';
    if (name.empty() || name == "---" || name.starts_with('&')) name.insert(name.begin(), '_');
    repeated = repeated || !seen.emplace(name, 0).second;
  }
  if (repeated)
    for (std::size_t x = 0; x < names.size(); ++x) names[x] = std::to_string(x);
  return names;
}

}  // namespace

std::string LatticeFileText(const std::vector<std::string>& given, const WideOrder& order) {
  assert(given.size() == static_cast<std::size_t>(order.Size()));
  if (order.Size() == 1) return "&@?\n";
  const std::vector<std::string> names = WritableNames(given);
  std::string text;
  for (int x = 0; x < order.Size(); ++x) {
    bool first = true;
    for (int y = 0; y < order.Size(); ++y) {
      if (!order.Covers(x, y)) continue;
      if (!first) text += ' ';
      text.append(names[x]).append("<").append(names[y]);
      first = false;
    }
    if (!first) text += '\n';
  }
  return text;
}

bool IsLatticeFileText(const std::string& start) {
  std::size_t at = 0;
  while (at < start.size()) {
    std::size_t end = start.find_first_of("\r\n", at);
    if (end == std::string::npos) end = start.size();
    const std::string_view content = WithoutComment(std::string_view(start).substr(at, end - at));
    if (!content.empty()) {
      if (IsDigraph6(content)) return true;
      bool pairs = true;
      ForEachToken(content, [&](std::string_view token) { pairs = pairs && IsPair(token); });
      return pairs;
    }
    at = end + 1;
  }
  return false;
}

}  // namespace mirelkon
