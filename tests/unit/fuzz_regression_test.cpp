// Every input the fuzzer ever found troublesome, run again: each must end at \enddata or
// with a fatal data error carrying one of the program's messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../fuzz/run_input.h"
#include "captured_report.h"

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryFoundInputEndsInAnOrderlyWay) {
  fs::path folder = fs::path(MIRELKON_SOURCE_DIR) / "tests" / "fuzz" / "regressions";
  int runs = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename() == "README") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CapturedReport captured;
    std::string message = RunInputBytes(bytes.data(), bytes.size());
    bool orderly = message.empty() || message.front() == '(' ||
                   message == "No more jobs, the program terminates.";
    EXPECT_TRUE(orderly) << entry.path() << ": " << message;
    ++runs;
  }
  EXPECT_GT(runs, 0);
}
