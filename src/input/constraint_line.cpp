// Constraints from the input are appended to the job's equations as they stand, with the
// warnings about equations a user rarely means.
#include "input/constraint_line.h"

#include <cstdint>
#include <string_view>

#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

void AppendTypedEquation(InputReader& reader, const Equation& e) {
  std::vector<Equation>& equations = reader.job.lattice.equations;
  if (static_cast<int>(equations.size()) == maxConstraints)
    reader.Fail("(code-pZw) too many constraints");
  equations.push_back(e);
  reader.job.equationLines.push_back(reader.file.LineNumber());
}

// Typed equations by operation and arguments in the order typed.
std::uint32_t PairKey(const Equation& e) {
  return e.left | static_cast<std::uint32_t>(e.right) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(e.operation)) << 16;
}

// The first slot before k with the operation and the arguments of slot k, in the order typed,
// or -1 when there is none; then slot k is filed as the first of its pair.
int EarlierSamePair(InputReader& reader, int k) {
  const std::vector<Equation>& equations = reader.job.lattice.equations;
  return reader.typedPairs.Insert(PairKey(equations[k]), k,
                                  [&](int s) { return PairKey(equations[s]); });
}

// In a lattice x+y lies above x and y, and x*y below both; the order is closed by now. Such an
// equation is kept, as the input language always has, but the job is marked: it is no
// partial lattice.
void WarnIfOrderDisagrees(InputReader& reader, const Equation& e) {
  const bool join = e.IsJoin();
  if (!join && !e.IsMeet()) return;
  const Order& order = reader.job.lattice.order;
  auto fits = [&](int x) { return join ? order.Below(x, e.result) : order.Below(e.result, x); };
  const bool leftFits = fits(e.left);
  const bool rightFits = fits(e.right) || e.right == e.left;
  if (leftFits && rightFits) return;
  const std::string form = reader.job.lattice.WrittenForm(e);
  if (reader.job.impossible.empty()) reader.job.impossible = form;
  const std::string_view f = form, none;
  reader.Warn({f, ": the order does not put ", f.substr(4, 1), join ? " above " : " below ",
               leftFits ? none : f.substr(0, 1), leftFits || rightFits ? none : " and ",
               rightFits ? none : f.substr(2, 1)});
}

// A typed equation given again says nothing new, so it is not warned about twice. An extra
// operation may give one pair of arguments two results on purpose (a closure rule with two
// consequences), so that is only a warning; two values of the join or the meet stop the
// derivation. Arguments count in the order typed: x-y and y-x are different pairs.
void WarnAboutNewEquation(InputReader& reader, int k) {
  const ParsedJob& job = reader.job;
  const Equation& e = job.lattice.equations[k];
  const int s = EarlierSamePair(reader, k);
  if (s >= 0 && job.lattice.equations[s].result == e.result) return;
  WarnIfOrderDisagrees(reader, e);
  if (s < 0 || e.IsJoin() || e.IsMeet()) return;
  const std::string form = job.lattice.WrittenForm(e);
  reader.Warn({std::string_view(form).substr(0, 3),
               " has two values: ", job.lattice.WrittenForm(job.lattice.equations[s]), " (line ",
               std::to_string(job.equationLines[s]), ") and ", form});
}

// Which place of "xoy=z" is wrong, for standard error.
std::string ConstraintDetail(const InputReader& reader, std::string_view item) {
  const PartialLattice& lattice = reader.job.lattice;
  const std::string shown = Shown(item);
  for (int place : {0, 2, 4})
    if (lattice.ElementOf(item[place]) < 0)
      return Shown(item.substr(place, 1)) + " is no element of L (in " + shown + ")";
  if (!Contains(reader.settings.operationSymbols, item.substr(1, 1))) {
    return Shown(item.substr(1, 1)) + " is no operation symbol (in " + shown +
           "); the operations are " + reader.settings.operationSymbols;
  }
  return "\"=\" belongs in the fourth place of " + shown;
}

}  // namespace

void ParseConstraintLine(InputReader& reader) {
  std::string& line = reader.line;
  const PartialLattice& lattice = reader.job.lattice;
  PrepareItemLine(reader);
  do {
    TrimBlanks(line);
    const std::size_t length = ItemLength(line);
    if (length != 5) {
      reader.Fail(
          Concat({"(codeTh4s) invalid constraint in |", line, "|"}),
          WrongLengthDetail(std::string_view(line).substr(0, length), "constraint", 5, "a+b=c"));
    }
    const std::string_view item(line.data(), length);
    const int left = lattice.ElementOf(item[0]);
    const bool knownOperation = Contains(reader.settings.operationSymbols, item.substr(1, 1));
    const int right = lattice.ElementOf(item[2]);
    const int result = lattice.ElementOf(item[4]);
    if (left < 0 || !knownOperation || right < 0 || result < 0 || item.find('=') != 3) {
      reader.Fail(Concat({"(codeTz7) invalid element(s) or operation or mispositioned/missing "
                          "\"=\" in constraint in",
                          line}),
                  ConstraintDetail(reader, item));
    }
    if (left == right || left == result || right == result)
      reader.sink.WriteLine(Output::both,
                            Concat({"Warning (not three distinct elements in): ", item}));
    AppendTypedEquation(reader, {static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(right),
                                 static_cast<std::uint8_t>(result), item[1]});
    WarnAboutNewEquation(reader, static_cast<int>(lattice.equations.size()) - 1);
    line.erase(0, length + 1);
  } while (!line.empty());
}

}  // namespace mirelkon
