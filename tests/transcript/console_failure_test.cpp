// Console failures: a screen that cannot be written or a keyboard that cannot be read stops
// the program at once with a one-line report on the error output, and the exit status is the
// system's error number; a pipe its reader closed ends it quietly.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

TEST(ConsoleFailure, StopsWithReportAndErrorNumber) {
  struct Case {
    const char* redirections;
    int status;
    const char* report;
  };
  const Case cases[] = {
      {"data.txt < /dev/null > /dev/full", ENOSPC,
       "Input/output error: cannot write to the screen: No space left on device\n"},
      {"< / > /dev/null", EISDIR,
       "Input/output error: cannot read from the keyboard: Is a directory\n"},
  };
  fs::path work = fs::temp_directory_path() / ("mirelkon-console-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::ofstream(work / "data.txt") << "\\verbose=false\n";
  for (const Case& c : cases) {
    std::string command =
        "cd '" + work.string() + "' && '" MIRELKON_BINARY "' " + c.redirections + " 2> errors";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.redirections;
    EXPECT_EQ(WEXITSTATUS(status), c.status) << c.redirections;
    std::ostringstream errors;
    errors << std::ifstream(work / "errors").rdbuf();
    EXPECT_EQ(errors.str(), c.report) << c.redirections;
    EXPECT_FALSE(fs::exists(work / "data_r0.txt")) << c.redirections;
  }
  fs::remove_all(work);
}

// A reader that closes the pipe ends the program quietly, as SIGPIPE would: no report, and the
// shell's status for it.
TEST(ConsoleFailure, AClosedPipeEndsQuietly) {
  fs::path work = fs::temp_directory_path() / ("mirelkon-pipe-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::ofstream(work / "data.txt") << "\\verbose=false\n\\subtrahend-in-exponent=0\n"
                                      "\\operationsymbols=+*\n\\beginjob\n\\name\nC2\n\\size\n2\n"
                                      "\\elements\nab\n\\edges\nab\n\\constraints\n\\endofjob\n"
                                      "\\enddata\n";
  for (const char* options : {"--json", "--batch --no-results"}) {
    // The reader closes its end, then the program starts to write.
    const std::string command =
        "cd '" + work.string() + "' && rm -f closed && { while [ ! -e closed ]; do sleep 0.01; " +
        "done; '" MIRELKON_BINARY "' " + options + " data.txt 2> errors; echo $? > status; } | " +
        "(exec 0<&-; touch closed; sleep 1)";
    ASSERT_EQ(std::system(command.c_str()), 0) << options;
    std::ostringstream errors, status;
    errors << std::ifstream(work / "errors").rdbuf();
    status << std::ifstream(work / "status").rdbuf();
    EXPECT_EQ(errors.str(), "") << options;
    EXPECT_EQ(status.str(), std::to_string(128 + SIGPIPE) + "\n") << options;
  }
  fs::remove_all(work);
}
