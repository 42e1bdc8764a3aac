// The input-file writer. Edges go ten to a line and equations nine to a line, the widths
// of the example files; every line stays far below the reader's 255 characters.
#include "lattice/input_writer.h"

#include "lattice/lattice_check.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"

namespace {

constexpr int edgesPerLine = 10;
constexpr int equationsPerLine = 9;

// Items written side by side, separated by blanks, a fixed number to a line.
struct ItemLines {
  std::string& text;
  int perLine;
  int onLine = 0;
};

void EndItems(ItemLines& lines) {
  if (lines.onLine > 0) lines.text += '\n';
  lines.onLine = 0;
}

void AddItem(ItemLines& lines, std::string_view item) {
  if (lines.onLine > 0) lines.text += ' ';
  lines.text += item;
  if (++lines.onLine == lines.perLine) EndItems(lines);
}

void WriteEdges(std::string& text) {
  ItemLines lines{text, edgesPerLine};
  for (int e = 0; e < job.edgeCount; ++e) {
    const EdgeRecord& edge = job.edgeList[e];
    AddItem(lines,
            std::string{job.elementSymbols[edge.lower - 1], job.elementSymbols[edge.upper - 1]});
  }
  EndItems(lines);
}

void WriteGivenConstraints(std::string& text) {
  ItemLines lines{text, equationsPerLine};
  for (int k = 1; k <= job.constraintCount; ++k) AddItem(lines, WrittenForm(k));
  EndItems(lines);
}

// Answers how many equations it wrote.
int WriteMissingEquations(std::string& text) {
  ItemLines lines{text, equationsPerLine};
  int written = 0;
  const int n = job.latticeSize;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      if (!Incomparable(i, j)) continue;
      if (!lattice.joinGiven[i][j]) AddItem(lines, WrittenForm(i, '+', j, lattice.join[i][j]));
      if (!lattice.meetGiven[i][j]) AddItem(lines, WrittenForm(i, '*', j, lattice.meet[i][j]));
      written += !lattice.joinGiven[i][j] + !lattice.meetGiven[i][j];
    }
  EndItems(lines);
  return written;
}

}  // namespace

void WriteRunSettings(std::string& text) {
  std::string operations = run.operationSymbols;
  if (!Contains(operations, "+")) operations += '+';
  if (!Contains(operations, "*")) operations += '*';
  std::string line = "\\operationsymbols=" + operations;
  // The reader keeps only 255 characters of a line: an added symbol must not fall beyond.
  if (line.size() > maxStringLength)
    FatalDataError("no room on the \"\\operationsymbols=\" line for the join and meet symbols");
  text += std::string("\\verbose=") + (run.verbose ? "true" : "false") + '\n';
  text += "\\subtrahend-in-exponent=" + std::to_string(run.subtrahend) + '\n';
  text += line + '\n';
}

void WriteCompletedJob(std::string& text) {
  text += "\\beginjob\n\\name\n" + job.nameOfL + "\n\\size\n" + std::to_string(job.latticeSize) +
          "\n\\elements\n" + job.elementSymbols + "\n\\edges\n";
  WriteEdges(text);
  text += "\\constraints\n";
  WriteGivenConstraints(text);
  std::string missing;
  const int missingCount = WriteMissingEquations(missing);
  text += missingCount == 0 ? "% No join or meet of two incomparable elements is missing.\n"
                            : "% The joins and meets of two incomparable elements, added by "
                              "mirelkon-lattice:\n";
  text += missing;
  const int needed = job.constraintCount + missingCount;
  if (needed > maxConstraints) {
    FatalDataError("the job needs " + std::to_string(needed) + " constraints; the table holds " +
                   std::to_string(maxConstraints));
  }
  text += "\\endofjob\n";
}
