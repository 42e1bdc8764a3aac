// End-to-end transcripts: each folder under cases/ is one run of the built program.
//
//   args             command-line arguments, one per line (optional)
//   keyboard         the keyboard's text on standard input (optional; else end of input)
//   files/           laid out in a fresh temporary folder, the run's working folder
//   setup.sh         run by sh in that folder before the program (optional)
//   expected/screen  the screen's text (standard output)
//   expected/stdout  instead of screen: standard output as plain text (--help, --json)
//   expected/status  the exit status
//   expected/stderr  the error report, byte for byte (optional; else nothing may be reported)
//   expected/result/ the files the run must create there, by name (none: it creates none);
//                    the files laid out beforehand must keep their bytes
//
// Expected texts are written with LF line ends, each standing for the CR LF the program
// writes (except in expected/stdout); comparisons are otherwise byte for byte. Times of
// day and elapsed times are masked in every output: "start:=H:M:S.MS", "terminated at
// H:M:S.MS", "took MS/1000", and the count time of a JSON line, "ms":MS. So are the
// version, as <version>, and the documentation folder, as <docdir> (the installed one, or the
// checkout where the program is not installed).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

namespace {

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

std::string Mask(std::string text) {
  static const std::regex start(R"(start:=\d+:\d+:\d+\.\d+)");
  static const std::regex end(R"(terminated at \d+:\d+:\d+\.\d+)");
  static const std::regex took(R"(took -?\d+/1000)");
  static const std::regex ms(R"("ms":[0-9.e+-]+)");
  text = std::regex_replace(text, start, "start:=H:M:S.MS");
  text = std::regex_replace(text, end, "terminated at H:M:S.MS");
  text = std::regex_replace(text, took, "took MS/1000");
  text = std::regex_replace(text, ms, "\"ms\":MS");
  text = ReplaceAll(text, MIRELKON_DOC_DIR, "<docdir>");
  text = ReplaceAll(text, MIRELKON_SOURCE_DIR, "<docdir>");
  return ReplaceAll(text, "mirelkon " MIRELKON_VERSION "\n", "mirelkon <version>\n");
}

std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Relative paths of everything below the folder that is not itself a folder.
std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) names.insert(fs::relative(entry.path(), folder));
  }
  return names;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(MIRELKON_TRANSCRIPT_CASES)) {
    if (entry.is_directory()) names.push_back(entry.path().filename());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Transcript : public testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    caseDir_ = fs::path(MIRELKON_TRANSCRIPT_CASES) / GetParam();
    work_ = fs::temp_directory_path() /
            ("mirelkon-transcript-" + GetParam() + "-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
    if (fs::exists(caseDir_ / "files"))
      fs::copy(caseDir_ / "files", work_, fs::copy_options::recursive);
    fs::path setup = caseDir_ / "setup.sh";
    if (fs::exists(setup)) {
      ASSERT_EQ(std::system(("cd " + ShellQuoted(work_) + " && sh " + ShellQuoted(setup)).c_str()),
                0);
    }
  }
  void TearDown() override {
    std::system(("chmod -R u+rwx " + ShellQuoted(work_) + " 2>/dev/null").c_str());
    fs::remove_all(work_);
  }

  // Runs the program in the work folder; answers its exit status.
  int RunProgram() {
    std::string command = "cd " + ShellQuoted(work_) + " && ";
    command += ShellQuoted(MIRELKON_BINARY);
    for (const std::string& arg : Lines(ReadFile(caseDir_ / "args"))) {
      command.append(" ").append(ShellQuoted(arg));
    }
    fs::path keyboard = caseDir_ / "keyboard";
    command += " < " + (fs::exists(keyboard) ? ShellQuoted(keyboard) : std::string("/dev/null"));
    command += " > " + ShellQuoted(screenFile_) + " 2> " + ShellQuoted(errorFile_);
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path caseDir_, work_;
  fs::path screenFile_ =
      fs::temp_directory_path() / ("mirelkon-screen-" + std::to_string(::getpid()));
  fs::path errorFile_ =
      fs::temp_directory_path() / ("mirelkon-stderr-" + std::to_string(::getpid()));
};

TEST_P(Transcript, ScreenResultFileAndStatusAreAsExpected) {
  std::set<std::string> before = Listing(work_);
  int status = RunProgram();
  EXPECT_EQ(status, std::stoi(ReadFile(caseDir_ / "expected" / "status")))
      << "stderr: " << ReadFile(errorFile_);
  fs::path expectedScreen = caseDir_ / "expected" / "screen";
  if (fs::exists(expectedScreen))
    EXPECT_EQ(Mask(ReadFile(screenFile_)), WithCrLf(ReadFile(expectedScreen)));
  else
    EXPECT_EQ(Mask(ReadFile(screenFile_)), ReadFile(caseDir_ / "expected" / "stdout"));
  fs::path expectedErrors = caseDir_ / "expected" / "stderr";
  EXPECT_EQ(ReadFile(errorFile_), fs::exists(expectedErrors) ? ReadFile(expectedErrors) : "");

  std::set<std::string> created;
  for (const std::string& name : Listing(work_)) {
    if (!before.count(name)) created.insert(name);
  }
  std::set<std::string> expectedNames;
  fs::path expectedResults = caseDir_ / "expected" / "result";
  if (fs::exists(expectedResults)) expectedNames = Listing(expectedResults);
  EXPECT_EQ(created, expectedNames);
  for (const std::string& name : expectedNames) {
    if (!created.count(name)) continue;
    EXPECT_EQ(Mask(ReadFile(work_ / name)), WithCrLf(ReadFile(expectedResults / name)))
        << "result file " << name;
  }
  if (fs::exists(caseDir_ / "files")) {
    for (const std::string& name : Listing(caseDir_ / "files")) {
      EXPECT_EQ(ReadFile(work_ / name), ReadFile(caseDir_ / "files" / name)) << "changed: " << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Transcript, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });

}  // namespace

}  // namespace mirelkon
