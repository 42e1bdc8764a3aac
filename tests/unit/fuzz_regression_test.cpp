// Every input the fuzzer ever found troublesome, run again: each must end at \enddata or
// with a fatal data error carrying one of the program's messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "../fuzz/run_input.h"
#include "captured_report.h"
#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryFoundInputEndsInAnOrderlyWay) {
  fs::path folder = fs::path(MIRELKON_SOURCE_DIR) / "tests" / "fuzz" / "regressions";
  int runs = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() == "README") continue;
    std::string bytes = ReadFile(entry.path());
    CapturedReport captured;
    std::string message = RunInputBytes(captured.channel, bytes.data(), bytes.size()).message;
    bool orderly = message.empty() || message.front() == '(' ||
                   message == "No more jobs, the program terminates.";
    EXPECT_TRUE(orderly) << entry.path() << ": " << message;
    ++runs;
  }
  EXPECT_GT(runs, 0);
}

}  // namespace mirelkon
