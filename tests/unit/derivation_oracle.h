// Test support: a job held in tables of its own, with elements and operations numbered from 1,
// and the derivation of join and meet constraints written out as plain loops on them: full
// passes and a linear search of the table, and a linear search for a second value of a join
// or meet pair. The derivation tests hold the library's indexed derivation against it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/limits.h"
#include "input/input_reader.h"

namespace mirelkon {

// The equation left op right = result; op is the operation's 1-based position in the
// operation symbols.
struct OracleRecord {
  std::uint8_t left;
  std::uint8_t right;
  std::uint8_t result;
  std::uint8_t operation;
};

struct OracleKind {
  bool isJoin;  // operation symbol "+"
  bool isMeet;  // operation symbol "*"
};

struct OracleJob {
  std::string elements;
  std::string operationSymbols;
  bool verbose = false;
  bool order[maxElements + 1][maxElements + 1] = {};  // reflexive and transitive
  std::vector<OracleRecord> table{OracleRecord{}};    // slot 0 unused
  std::vector<OracleKind> kinds{OracleKind{}};
  int count = 0;
  int initialCount = 0;

  int Size() const { return static_cast<int>(elements.size()); }
};

// What the derivation wrote (the same on the screen and in the result file) and the
// message of the fatal data error that ended it, empty when it ended normally.
struct OracleOutcome {
  std::string report;
  std::string errorMessage;
};

inline int PositionIn(const std::string& s, char c) {
  const std::size_t at = s.find(c);
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

// Appends a constraint given in its written form, as the constraint-line parser does.
inline void AddInitial(OracleJob& j, const std::string& form) {
  j.table.push_back({static_cast<std::uint8_t>(PositionIn(j.elements, form[0])),
                     static_cast<std::uint8_t>(PositionIn(j.elements, form[2])),
                     static_cast<std::uint8_t>(PositionIn(j.elements, form[4])),
                     static_cast<std::uint8_t>(PositionIn(j.operationSymbols, form[1]))});
  j.kinds.push_back({form[1] == '+', form[1] == '*'});
  ++j.count;
}

// The closure as passes over i, j, k that repeat until one adds nothing.
inline void CloseOracleOrder(OracleJob& j) {
  const int n = j.Size();
  for (int i = 1; i <= n; ++i) j.order[i][i] = true;
  for (bool changed = true; changed;) {
    changed = false;
    for (int i = 1; i <= n; ++i)
      for (int m = 1; m <= n; ++m)
        for (int k = 1; k <= n; ++k)
          if (j.order[i][m] && j.order[m][k] && !j.order[i][k]) j.order[i][k] = changed = true;
  }
}

// A job from element symbols, edges "xy xy ..." (x below y, closed here) and written forms
// "a+b=c a*b=d ...".
inline OracleJob MakeJob(const std::string& elements, const std::string& edges,
                         const std::string& constraints, const std::string& operationSymbols,
                         bool verbose) {
  OracleJob j;
  j.elements = elements;
  j.operationSymbols = operationSymbols;
  j.verbose = verbose;
  for (std::size_t at = 0; at + 1 < edges.size(); at += 3)
    j.order[PositionIn(elements, edges[at])][PositionIn(elements, edges[at + 1])] = true;
  CloseOracleOrder(j);
  for (std::size_t at = 0; at + 4 < constraints.size(); at += 6)
    AddInitial(j, constraints.substr(at, 5));
  return j;
}

// The job as the input reader gives it: elements from 0, operations by their symbols, and the
// k-th equation on input line k.
inline ParsedJob ParsedJobOf(const OracleJob& j) {
  ParsedJob job;
  job.name = "oracle";
  job.lattice.elementSymbols = j.elements;
  job.lattice.operationSymbols = j.operationSymbols;
  job.lattice.order = Order::Identity(j.Size());
  for (int x = 1; x <= j.Size(); ++x)
    for (int y = 1; y <= j.Size(); ++y)
      if (j.order[x][y]) job.lattice.order.Add(x - 1, y - 1);
  for (int k = 1; k <= j.count; ++k) {
    const OracleRecord& c = j.table[k];
    job.lattice.equations.push_back(
        {static_cast<std::uint8_t>(c.left - 1), static_cast<std::uint8_t>(c.right - 1),
         static_cast<std::uint8_t>(c.result - 1), j.operationSymbols[c.operation - 1]});
    job.equationLines.push_back(k);
  }
  return job;
}

// The derivation as plain loops over the whole table, on the job's own copy.
class LiteralDerivation {
 public:
  explicit LiteralDerivation(OracleJob& j) : j_(j) {}

  OracleOutcome Run() {
    j_.initialCount = j_.count;
    for (int k = 1; k <= j_.count; ++k)
      if (j_.table[k].right < j_.table[k].left) std::swap(j_.table[k].left, j_.table[k].right);
    joinOp_ = PositionIn(j_.operationSymbols, '+');
    meetOp_ = PositionIn(j_.operationSymbols, '*');
    try {
      for (int k = 1; k <= j_.count; ++k) {
        const OracleRecord& c = j_.table[k];
        const int first = FirstValue(j_.kinds[k], c.left, c.right, k - 1);
        if (first != 0 && j_.table[first].result != c.result)
          throw TwoValues(first, Form(c.left, c.operation, c.right, c.result));
      }
      if (joinOp_ == 0 && meetOp_ == 0) return outcome_;
      do {
        changed_ = false;
        const int b1 = j_.count;
        for (int i = 1; i <= b1; ++i) Interval(i);
        const int b2 = j_.count;
        for (int i = 1; i <= b2; ++i) {
          const int b3 = j_.count;
          for (int k = 1; k <= b3; ++k) {
            JoinComposition(i, k);
            MeetComposition(i, k);
          }
        }
      } while (changed_);
    } catch (const Stop& stop) {
      outcome_.errorMessage = stop.message;
      return outcome_;
    }
    if (j_.verbose) {
      Line("-- The initial constraints in normalized form:");
      List(1, j_.initialCount);
      if (j_.count == j_.initialCount) {
        Line("-- No additional constraints have been derived.");
      } else {
        Line("-- The list of derived constraints:");
        List(j_.initialCount + 1, j_.count);
      }
    } else if (j_.count == j_.initialCount) {
      Line("No     derived constraints have been added .");
    }
    return outcome_;
  }

 private:
  struct Stop {
    std::string message;
  };

  bool Le(int x, int y) const { return j_.order[x][y]; }
  char Symbol(int x) const { return j_.elements[x - 1]; }
  void Line(const std::string& text) { outcome_.report += text + "\r\n"; }

  std::string Form(int x, int op, int y, int z) const {
    return {Symbol(x), j_.operationSymbols[op - 1], Symbol(y), '=', Symbol(z)};
  }

  void List(int first, int last) {
    int listed = 0;
    for (int k = first; k <= last; ++k) {
      const OracleRecord& c = j_.table[k];
      outcome_.report += Form(c.left, c.operation, c.right, c.result) + " ";
      if (++listed % 9 == 0) outcome_.report += "\r\n";
    }
    Line(".");
  }

  // The lowest of slots 1..last that is of the same kind, join or meet, with the same
  // arguments, or 0.
  int FirstValue(const OracleKind& kind, int x, int y, int last) const {
    if (!kind.isJoin && !kind.isMeet) return 0;
    for (int k = 1; k <= last; ++k) {
      const OracleRecord& c = j_.table[k];
      if (j_.kinds[k].isJoin == kind.isJoin && j_.kinds[k].isMeet == kind.isMeet && c.left == x &&
          c.right == y)
        return k;
    }
    return 0;
  }

  Stop TwoValues(int first, const std::string& second) const {
    const OracleRecord& c = j_.table[first];
    return {"(codeTwoVal) " + second.substr(0, 3) +
            " has two values: " + Form(c.left, c.operation, c.right, c.result) + " and " + second};
  }

  int Find(int x, int y, int z, int op) const {
    if (x >= y) return 0;
    for (int k = 1; k <= j_.count; ++k) {
      const OracleRecord& c = j_.table[k];
      if (c.left == x && c.right == y && c.result == z && c.operation == op) return k;
    }
    return 0;
  }

  void Add(int x, int y, int z, int op) {
    if (x == z || y == z || x == y) {
      Line("");
      Line("Check the data because of the forbidden derived constraint: " + Form(x, op, y, z));
      throw Stop{"(code) as reported above"};
    }
    const int x0 = std::min(x, y), y0 = std::max(x, y);
    const int first = FirstValue({op == joinOp_, op == meetOp_}, x0, y0, j_.count);
    if (first != 0 && j_.table[first].result != z) throw TwoValues(first, Form(x0, op, y0, z));
    ++j_.count;
    changed_ = true;
    if (j_.count > maxConstraints) throw Stop{"(cod-ugW5s) too many constraints"};
    j_.table.push_back({static_cast<std::uint8_t>(std::min(x, y)),
                        static_cast<std::uint8_t>(std::max(x, y)), static_cast<std::uint8_t>(z),
                        static_cast<std::uint8_t>(op)});
    j_.kinds.push_back({op == joinOp_, op == meetOp_});
  }

  void Ensure(int x, int y, int w, int op) {
    if (Find(std::min(x, y), std::max(x, y), w, op) == 0) Add(x, y, w, op);
  }

  void Interval(int i) {
    const int a = j_.table[i].left, b = j_.table[i].right, z = j_.table[i].result;
    const OracleKind kind = j_.kinds[i];
    if (kind.isJoin)
      for (int k = 1; k <= j_.Size(); ++k) {
        if (Le(a, k) && Le(k, z) && k != a && k != z) Ensure(k, b, z, joinOp_);
        if (Le(b, k) && Le(k, z) && k != b && k != z) Ensure(k, a, z, joinOp_);
      }
    if (kind.isMeet)
      for (int k = 1; k <= j_.Size(); ++k) {
        if (Le(z, k) && Le(k, a) && k != a && k != z) Ensure(k, b, z, meetOp_);
        if (Le(z, k) && Le(k, b) && k != b && k != z) Ensure(k, a, z, meetOp_);
      }
  }

  int Partner(int k, int z) const {
    int t = 0;
    if (j_.table[k].left == z) t = j_.table[k].right;
    if (j_.table[k].right == z) t = j_.table[k].left;
    return t;
  }

  void JoinComposition(int i, int k) {
    if (!j_.kinds[i].isJoin || !j_.kinds[k].isJoin) return;
    const int a = j_.table[i].left, b = j_.table[i].right, z = j_.table[i].result;
    const int w = j_.table[k].result, t = Partner(k, z);
    if (t == 0) return;
    if (Le(b, t)) Ensure(a, t, w, joinOp_);
    if (Le(a, t)) Ensure(b, t, w, joinOp_);
  }

  void MeetComposition(int i, int k) {
    if (!j_.kinds[i].isMeet || !j_.kinds[k].isMeet) return;
    const int a = j_.table[i].left, b = j_.table[i].right, z = j_.table[i].result;
    const int w = j_.table[k].result, t = Partner(k, z);
    if (t == 0) return;
    if (Le(t, b)) Ensure(a, t, w, meetOp_);
    if (Le(t, a)) Ensure(b, t, w, meetOp_);
  }

  OracleJob& j_;
  int joinOp_ = 0, meetOp_ = 0;
  bool changed_ = false;
  OracleOutcome outcome_;
};

}  // namespace mirelkon
