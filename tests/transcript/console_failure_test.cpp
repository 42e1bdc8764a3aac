// Failures outside the input: a screen that cannot be written or a keyboard that cannot be
// read stops the program at once with a one-line report on the error output and exit status
// 4; memory that runs out stops it with one line and exit status 5; a pipe its reader closed
// ends it quietly.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace mirelkon {

namespace fs = std::filesystem;

TEST(ConsoleFailure, StopsWithReportAndErrorNumber) {
  struct Case {
    const char* redirections;
    int status;
    const char* report;
  };
  const Case cases[] = {
      {"data.txt < /dev/null > /dev/full", 4,
       "Input/output error: cannot write to the screen: No space left on device\n"},
      {"< / > /dev/null", 4, "Input/output error: cannot read from the keyboard: Is a directory\n"},
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

// The address sanitizer reserves more address space than the limit below allows.
#if !defined(__SANITIZE_ADDRESS__)
TEST(ResourceFailure, OutOfMemoryStopsWithOneLineAndItsOwnStatus) {
  fs::path work = fs::temp_directory_path() / ("mirelkon-memory-" + std::to_string(getpid()));
  fs::create_directories(work);
  fs::copy_file(MIRELKON_SOURCE_DIR "/examples/n5.txt", work / "n5.txt");
  const struct {
    const char* options;
    const char* out;  // the JSON lines; the screen text is not compared
  } cases[] = {
      {"--batch", nullptr},
      {"--json", "{\"file\":\"n5.txt\",\"error\":\"out of memory\",\"line\":null}\n"},
  };
  for (const auto& c : cases) {
    const std::string command = "cd '" + work.string() + "' && (ulimit -v 400000; exec '" +
                                MIRELKON_BINARY "' " + c.options +
                                " --cache-mb 1024 n5.txt) > out 2> errors";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.options;
    EXPECT_EQ(WEXITSTATUS(status), 5) << c.options;
    std::ostringstream errors, out;
    errors << std::ifstream(work / "errors").rdbuf();
    out << std::ifstream(work / "out").rdbuf();
    EXPECT_EQ(errors.str(),
              "mirelkon: out of memory while running n5.txt; a smaller --cache-mb may help\n")
        << c.options;
    if (c.out != nullptr) {
      EXPECT_EQ(out.str(), c.out);
    }
  }
  // The result file of the batch run keeps what was written before memory ran out.
  std::ostringstream result;
  result << std::ifstream(work / "n5_r0.txt").rdbuf();
  EXPECT_NE(result.str().find("reports:"), std::string::npos);
  fs::remove_all(work);
}
#endif

// The list file takes its name only when the program ends normally: a write that fails leaves
// neither it nor its temporary file behind, and the job's record says the list failed.
TEST(ResourceFailure, ListFileIsWrittenWholeOrNotAtAll) {
  fs::path work = fs::temp_directory_path() / ("mirelkon-list-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::ofstream(work / "free.txt")
      << "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*\n\\beginjob\n"
         "\\name\nfree\n\\size\n14\n\\elements\nabcdefghijklmn\n\\edges\n\\constraints\n"
         "\\endofjob\n\\enddata\n";
  const struct {
    const char* limit;  // on the size of a file written, in blocks of 512 bytes
    int status;
    const char* record;  // in the job's JSON record
    bool listed;
  } cases[] = {
      {"trap '' XFSZ; ulimit -f 8;", 4,
       "\"listed\":null,\"withheld\":\"list: cannot write the list file: File too large\"", false},
      {"", 0, "\"listed\":\"16384\"", true},
  };
  for (const auto& c : cases) {
    const std::string command = "cd '" + work.string() + "' && (" + c.limit + " exec '" +
                                MIRELKON_BINARY +
                                "' --json --list-to list.txt free.txt) > out 2> errors";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.limit;
    EXPECT_EQ(WEXITSTATUS(status), c.status) << c.limit;
    std::ostringstream out;
    out << std::ifstream(work / "out").rdbuf();
    const std::string record = out.str();
    EXPECT_NE(record.find(c.record), std::string::npos) << record;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(work))
      files += entry.path().filename().string().rfind("list.txt", 0) == 0;
    EXPECT_EQ(files, c.listed ? 1 : 0) << c.limit;
    if (c.listed) {
      std::ifstream list(work / "list.txt");
      int lines = 0;
      for (std::string line; std::getline(list, line);) ++lines;
      EXPECT_EQ(lines, 16385);
    }
    fs::remove(work / "list.txt");
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

}  // namespace mirelkon
