// mirelkon-lattice as users run it: every refusal ends with exit status 1, its line last on
// standard error (after any warnings of the input reader), nothing on standard output and
// no output file; --help ends with 0.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/limits.h"
#include "lattice/command_error.h"
#include "lattice/make_command.h"
#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class LatticeProgram : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override { fs::remove_all(work_); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(work_ / name, std::ios::binary) << text;
  }

  // Runs the program in the work folder with the arguments, each already shell-quoted, and
  // standard output to the file named.
  Outcome Run(const std::string& arguments, const std::string& output = "stdout.txt") {
    const std::string command = "cd '" + work_.string() + "' && '" + MIRELKON_LATTICE_BINARY +
                                "' " + arguments + " > " + output + " 2> stderr.txt";
    const int status = std::system(command.c_str());
    Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(work_ / "stdout.txt"),
                    ReadFile(work_ / "stderr.txt")};
    fs::remove(work_ / "stdout.txt");
    fs::remove(work_ / "stderr.txt");
    return outcome;
  }

  fs::path work_ = fs::temp_directory_path() / ("mirelkon-lattice-" + std::to_string(::getpid()));
};

// One job: elements, edges and constraints from lines 10, 12 and 14 on.
std::string Job(const std::string& elements, const std::string& edges,
                const std::string& constraints) {
  return "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*f\n\\beginjob\n"
         "\\name\nL\n\\size\n" +
         std::to_string(elements.size()) + "\n\\elements\n" + elements + "\n\\edges\n" + edges +
         "\n\\constraints\n" + constraints + "\n\\endofjob\n\\enddata\n";
}

// The last line of a text, with its line end.
std::string LastLine(const std::string& text) {
  std::size_t start = text.size() < 2 ? std::string::npos : text.rfind('\n', text.size() - 2);
  return start == std::string::npos ? text : text.substr(start + 1);
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

TEST_F(LatticeProgram, RefusalsNameTheFaultAndLeaveNoOutput) {
  // M28 needs 756 equations of its own beside the 3341 given (nine to a line, 371 lines and
  // two more): one more than the table holds.
  std::string atoms = "abcdefghijklmnopqrstuvwxyzAB", covers;
  for (char atom : atoms) covers += std::string("0") + atom + " " + atom + "1 ";
  const struct {
    const char* what;
    std::string input;
    std::string error;
  } cases[] = {
      {"cycle", Job("abc", "ab bc ca", ""),
       "in.txt:11: not a lattice: a and b are each below the other"},
      {"no join", Job("abc", "ab ac", ""), "in.txt:11: not a lattice: b and c have no upper bound"},
      {"two minimal upper bounds", Job("0abcd", "0a 0b ac ad bc bd", ""),
       "in.txt:11: not a lattice: a and b have two minimal upper bounds, c and d"},
      {"two maximal lower bounds", Job("cdab01", "ac ad bc bd 0a 0b c1 d1", ""),
       "in.txt:11: not a lattice: c and d have two maximal lower bounds, a and b"},
      {"wrong equation", Job("0ab1", "0a 0b a1 b1", "a*b=0 a+b=0"),
       "in.txt:14: a+b=0 does not hold in this lattice: a+b=1"},
      // It holds, but mirelkon would stop on the file: it derives k+z=z, which names z twice.
      {"equation mirelkon refuses", Job("akz", "ak kz", "a+z=z"),
       "in.txt:14: (code) forbidden derived constraint k+z=z: k+z=z follows from a+z=z (line 14) "
       "and the order"},
      {"too many constraints",
       Job("0" + atoms + "1", covers, Repeated(Repeated("afb=c ", 9) + "\n", 371) + "afb=c afb=c"),
       "in.txt:386: the job needs 4097 constraints; the table holds 4096"},
  };
  for (const auto& c : cases) {
    Write("in.txt", c.input);
    EXPECT_EQ(LastLine(Run("complete in.txt -o out.txt").err), c.error + "\n") << c.what;
    const Outcome toScreen = Run("complete in.txt");
    EXPECT_EQ(toScreen.status, 1) << c.what;
    EXPECT_EQ(toScreen.out, "") << c.what;
    EXPECT_FALSE(fs::exists(work_ / "out.txt")) << c.what;
  }
}

TEST_F(LatticeProgram, EveryRefusalIsOneLineOnStandardError) {
  Write("cycle.txt", Job("abc", "ab bc ca", ""));
  Write("binary.txt", "\\verbose=false\n" + std::string(2 << 20, 'x'));
  const struct {
    const char* arguments;
    const char* output;
    std::string error;
    int status = 1;
  } cases[] = {
      {"complete cycle.txt", "stdout.txt",
       "cycle.txt:11: not a lattice: a and b are each below the other"},
      {"complete binary.txt", "stdout.txt",
       "binary.txt:2: (codeEndless) line longer than 1 MiB: is this a text file?"},
      {"make boolean -1", "stdout.txt",
       "mirelkon-lattice: in \"boolean -1\", K must be a whole number from 0 to 2147483647"},
      {"--help", "/dev/full",
       "mirelkon-lattice: cannot write to standard output: No space left on device", 4},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Run(c.arguments, c.output);
    EXPECT_EQ(outcome.status, c.status) << c.arguments;
    EXPECT_EQ(outcome.out, "") << c.arguments;
    EXPECT_EQ(outcome.err, c.error + "\n") << c.arguments;
  }
}

TEST_F(LatticeProgram, MakeRefusesALatticeAboveTheLimitAndAnUnknownTerm) {
  const struct {
    const char* arguments;
    std::string error;
  } cases[] = {
      {"make boolean 11 -o out.txt", "boolean 11 has more than " + std::to_string(maxWideElements) +
                                         " elements, the most a lattice may have"},
      {"make boolean 7 --verbose -o out.txt",
       "boolean 7 is written as a lattice file, which has no header for --subtrahend and "
       "--verbose"},
      {"make 'chain 3 x chain' -o out.txt", "\"chain\" should read chain N"},
      {"make D2147483648 -o out.txt",
       "in \"D2147483648\", M must be a whole number from 1 to 2147483647"},
      {"make C4x -o out.txt",
       "unknown lattice \"C4x\"; the lattices are chain N (CN), boolean K "
       "(BK), diamond K (MK), pentagon (N5), divisors M (DM), partitions K "
       "(PiK), subspaces P K, tamari N, young M N"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Run(c.arguments);
    EXPECT_EQ(outcome.status, 1) << c.arguments;
    EXPECT_EQ(outcome.err, "mirelkon-lattice: " + c.error + "\n") << c.arguments;
    EXPECT_FALSE(fs::exists(work_ / "out.txt")) << c.arguments;
  }
}

// A term too long for a line mirelkon reads is refused, not written (its name stands on lines
// of the file); it takes more words than one command line holds, so the library is asked.
TEST(MakeTerm, ATermLongerThanALineIsRefused) {
  MakeRequest request;
  request.words = {"C2"};
  for (int i = 0; i < 200000; ++i) request.words.insert(request.words.end(), {"x", "C1"});
  try {
    MakeInputFile(request);
    ADD_FAILURE() << "a term of 1 MB was written";
  } catch (const CommandError& error) {
    EXPECT_EQ(error.text,
              "mirelkon-lattice: the term is longer than 524288 characters; mirelkon could not "
              "read the file");
  }
}

// A slip in a name is answered with the nearest one; --version names the program.
TEST_F(LatticeProgram, ASlipGetsTheNearestNameAndVersionIsShown) {
  const struct {
    const char* arguments;
    const char* errorStart;
  } cases[] = {
      {"make Pj4", "mirelkon-lattice: unknown lattice \"Pj4\" (did you mean Pi4?); the lattices"},
      {"make tamary 3", "mirelkon-lattice: unknown lattice \"tamary\" (did you mean tamari?);"},
      {"make Tamari6", "mirelkon-lattice: unknown lattice \"Tamari6\" (did you mean tamari 6?);"},
      {"make qqq", "mirelkon-lattice: unknown lattice \"qqq\"; the lattices are"},
      {"mak D4", "mirelkon-lattice: unknown command \"mak\" (did you mean make?); see"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Run(c.arguments);
    EXPECT_EQ(outcome.status, 1) << c.arguments;
    EXPECT_EQ(outcome.err.rfind(c.errorStart, 0), 0u) << outcome.err;
  }
  const Outcome version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("mirelkon-lattice ", 0), 0u);
}

TEST_F(LatticeProgram, AnExistingOutputFileIsNeverReplaced) {
  Write("out.txt", "mine");
  const Outcome outcome = Run("make chain 2 -o out.txt");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "mirelkon-lattice: out.txt exists already; it is not overwritten\n");
  EXPECT_EQ(ReadFile(work_ / "out.txt"), "mine");
}

TEST_F(LatticeProgram, SuccessWritesTheFileAndHelpShowsTheUsage) {
  Outcome made = Run("make divisors 60 -o d60.txt");
  EXPECT_EQ(made.status, 0);
  EXPECT_EQ(made.out + made.err, "");
  EXPECT_NE(ReadFile(work_ / "d60.txt").find("\\name\ndivisors 60\n"), std::string::npos);
  Outcome help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: mirelkon-lattice complete IN", 0), 0u);
}

}  // namespace

}  // namespace mirelkon
