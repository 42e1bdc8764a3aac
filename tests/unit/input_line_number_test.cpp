// The input line a fatal data error is found on, and the line each constraint was read
// from, whatever the file's line ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../fuzz/run_input.h"
#include "captured_report.h"
#include "input/input_reader.h"

namespace mirelkon {

namespace {

// The line of the run's fatal data error (0 when the run ended normally).
int ErrorLine(const std::string& text) {
  CapturedReport captured;
  return RunInputBytes(captured.channel, text.data(), text.size()).line;
}

std::string WithLineEnds(std::string text, const std::string& lineEnd) {
  std::string out;
  for (char c : text) out += c == '\n' ? lineEnd : std::string(1, c);
  return out;
}

const std::string header = "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*\n";
const std::string jobStart = "\\beginjob\n\\name\nchain\n\\size\n";

TEST(InputLineNumber, ErrorsNameTheLineTheyAreFoundOn) {
  struct Case {
    std::string text;
    int line;
  } cases[] = {
      // An edge of three symbols on line 14, after a comment line and a blank line.
      {header + jobStart + "3\n\\elements\nabc\n% edges follow\n\n\\edges\nab abc\n", 14},
      // A size that is no number, three lines below "\size".
      {header + jobStart + "\n\n  x7\n", 10},
      // The file ends inside the constraints: the last line is named.
      {header + jobStart + "3\n\\elements\nabc\n\\edges\nab\n\\constraints\na+b=c\n", 14},
      // A header command that is missing altogether: the last line of the file.
      {"free text\n\nmore text", 3},
  };
  for (const Case& c : cases) {
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
      EXPECT_EQ(ErrorLine(WithLineEnds(c.text, lineEnd)), c.line) << c.text;
    }
  }
}

TEST(InputLineNumber, ConstraintsKeepTheLineTheyWereReadFrom) {
  std::string text =
      header + jobStart +
      "4\n\\elements\nabcd\n\\edges\nab ac bd cd\n\\constraints\nb+c=d\n\nb*c=a c*b=a\n"
      "\\endofjob\n\\enddata\n";
  text = WithLineEnds(text, "\r\n");
  CapturedReport captured;
  InputFile file;
  file.Attach(fmemopen(text.data(), text.size(), "rb"));
  InputReader reader(file, captured.channel);
  ReadRunHeader(reader);
  EXPECT_EQ(ReadJob(reader, true).equationLines, (std::vector<int>{14, 16, 16}));
  EXPECT_TRUE(AtEndOfData(reader));
}

}  // namespace

}  // namespace mirelkon
