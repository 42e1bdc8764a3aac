// Hostile input files: NUL bytes and bytes above 127, overlong lines, tables filled to
// capacity, a 50 MB file of junk. Each must be processed as the input language says or
// stopped with the program's own message; never crash, hang or overrun a table.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "../fuzz/run_input.h"
#include "captured_report.h"
#include "input/input_reader.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

const std::string header =
    "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*f\n\\beginjob\n";

// One job with the given sections, then \enddata.
std::string Job(const std::string& name, const std::string& size, const std::string& elements,
                const std::string& edges, const std::string& constraints) {
  return header + "\\name\n" + name + "\n\\size\n" + size + "\n\\elements\n" + elements +
         "\n\\edges\n" + edges + "\n\\constraints\n" + constraints + "\n\\endofjob\n\\enddata\n";
}

struct Outcome {
  std::string message;  // "" after a normal end
  std::string screen;
};

Outcome RunText(const std::string& text) {
  CapturedReport captured;
  std::string message = RunInputBytes(captured.channel, text.data(), text.size()).message;
  return {message, captured.Screen()};
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::string CountLine(long long count) {
  return "-- Result:   |Sub(L)|=" + std::to_string(count) + " for the partial lattice\r\n";
}

TEST(HostileInput, UnusualBytesAndOverlongLines) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    std::string input;
    std::string message;  // expected stop, or "" for a normal end
    std::string shown;    // text the screen must hold
  };
  const Case cases[] = {
      {"NUL byte in the name", Job("a\0b"s, "2", "ab", "ab", ""), "", "L: a\0b\r\n"s},
      {"NUL byte and byte 255 as symbols", Job("x", "3", "a\0\xff"s, "a\xff \0\xff"s, "a+\0=\xff"s),
       "", CountLine(7)},
      {"bytes above 127 as symbols", Job("x", "2", "\xc3\xa9", "\xc3\xa9", ""), "", CountLine(4)},
      {"digits and a tab as symbols", Job("x", "3", "0\t1", "0\t \t1", "0+1=\t"), "", CountLine(7)},
      {"NUL byte in a header command", "\\verb\0ose=true\n"s + header.substr(header.find('\n') + 1),
       "(codet7v) the \"\\verbose=\" command is missing!", ""},
      {"overlong name is cut to 255 characters", Job(std::string(1000, 'n'), "1", "a", "", ""), "",
       "L: " + std::string(255, 'n') + "\r\n"},
      {"overlong element line is cut before its length is checked",
       Job("x", "30", std::string(300, 'e'), "", ""),
       "(codeHL1sW) a different number of elements were expected", ""},
      {"overlong edge line loses items at the cut",
       Job("x", "3", "abc", Repeated("ab ", 85) + "bc", ""),
       "(codeLong) line longer than 255 characters: split it", ""},
      {"overlong constraint line loses items at the cut",
       Job("x", "3", "abc", "", Repeated("a+b=c ", 100)),
       "(codeLong) line longer than 255 characters: split it", ""},
      {"overlong line of blanks before the size",
       Job("x", std::string(5000, ' ') + "\n2", "ab", "", ""), "", CountLine(4)},
      {"size far too large", Job("x", "2147483648", "ab", "", ""),
       "(codeSzNum) the size of L is not a whole number", ""},
      {"empty file", "", "(codet7v) the \"\\verbose=\" command is missing!", ""},
      {"lone carriage returns as line ends", "\r\r" + Job("x", "1", "a", "", ""), "", CountLine(2)},
  };
  for (const Case& c : cases) {
    Outcome outcome = RunText(c.input);
    EXPECT_EQ(outcome.message, c.message) << c.what;
    EXPECT_NE(outcome.screen.find(c.shown), std::string::npos) << c.what;
  }
}

TEST(HostileInput, ConstraintTableCapacity) {
  const std::string fourThousand = Repeated("a+b=i\n", 4096);
  // The pentagon-like order o < a < c < i, o < b < i: a+b=i derives b+c=i.
  const std::string edges = "oa ob ac ci bi";
  EXPECT_EQ(RunText(Job("x", "5", "oabci", edges, fourThousand)).message,
            "(cod-ugW5s) too many constraints");
  EXPECT_EQ(RunText(Job("x", "5", "oabci", edges, fourThousand + "a+b=i")).message,
            "(code-pZw) too many constraints");
  EXPECT_EQ(RunText(Job("x", "5", "oabci", "", fourThousand)).message, "");
}

TEST(HostileInput, ThirtyElementsWithFourThousandConstraints) {
  // Every pair of the first 29 elements forces the 30th: a set holds at most one of them
  // or holds the 30th, so there are 2*30 + (2^29 - 30) closed sets.
  const std::string symbols = "abcdefghijklmnopqrstuvwxyzABCD";
  std::mt19937 random(30);
  std::uniform_int_distribution<int> element(0, 28);
  std::string constraints;
  for (int k = 0; k < 4096; ++k) {
    int x = element(random), y = element(random);
    if (x == y) y = (y + 1) % 29;
    constraints += std::string{symbols[x], 'f', symbols[y], '=', 'D'} + (k % 10 == 9 ? "\n" : " ");
  }
  Outcome outcome = RunText(Job("x", "30", symbols, "", constraints));
  EXPECT_EQ(outcome.message, "");
  EXPECT_NE(outcome.screen.find(CountLine((1LL << 29) + 30)), std::string::npos);
}

TEST(HostileInput, FiftyMegabytesOfJunkAreReadLineByLine) {
  std::string junk = header + Repeated(std::string(99, 'j') + "\n", 500000);
  EXPECT_EQ(RunText(junk).message, "(code4idG) \"\\name\" is missing from input file");
}

}  // namespace

namespace {

// The legend of the first job of a text, and the warnings its reading gave.
struct ReadLegend {
  std::vector<LegendEntry> legend;
  std::string warnings;
};

ReadLegend LegendOf(std::string text) {
  CapturedReport captured;
  captured.channel.inputName = "in.txt";
  InputFile file;
  file.Attach(fmemopen(text.data(), text.size(), "rb"));
  InputReader reader(file, captured.channel);
  ReadRunHeader(reader);
  ReadLegend read{ReadJob(reader, true).legend, ""};
  read.warnings = captured.Diagnostics();
  return read;
}

}  // namespace

// Legend lines without end keep one name per element, so their memory does not grow with the
// file; the names given again and the names of no element are ignored with one warning each.
TEST(HostileInput, LegendKeepsOneNamePerElement) {
  const std::string many = "% legend:" + Repeated(" a=again b=again Q=none", 10) + "\n";
  const std::string text = header.substr(0, header.size() - 10) + "% legend: a=first\n" +
                           Repeated(many, 100000) +
                           "\\beginjob\n\\name\nx\n\\size\n2\n\\elements\n" +
                           "ab\n\\edges\nab\n\\constraints\n\\endofjob\n\\enddata\n";
  const ReadLegend read = LegendOf(text);
  ASSERT_EQ(read.legend.size(), 2u);
  EXPECT_EQ(read.legend[0].name, "first");
  EXPECT_EQ(read.legend[1].name, "again");
  EXPECT_EQ(read.warnings,
            "in.txt:5: warning: legend: \"Q\" is no element of the job; its name is ignored\n"
            "in.txt:5: warning: legend: 2999998 further names of elements named already are "
            "ignored; the first name counts\n");
}

// Names are cut at a character, never inside one.
TEST(HostileInput, NamesAreCutAtACharacter) {
  const std::string e = "\xc3\xa9";  // é, two bytes
  const struct {
    std::size_t bytes, limit, kept;
  } cases[] = {{5, 4, 3}, {6, 4, 3}, {3, 4, 3}, {300, 255, 255}, {300, 254, 253}, {40, 32, 31}};
  for (const auto& c : cases) {
    std::string name = Repeated("x", 1) + Repeated(e, static_cast<int>(c.bytes / 2));
    name.resize(c.bytes);
    EXPECT_EQ(CutAtCharacter(name, c.limit).size(), c.kept) << c.bytes << " " << c.limit;
  }
}

}  // namespace mirelkon
