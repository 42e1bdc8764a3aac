// Standard input as the input file, from a pipe: "-" is read as standard input and named
// "stdin"; a device path such as /dev/stdin is read as it stands. Neither leaves a file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

TEST(StandardInput, APipeIsReadThroughDashOrDevStdin) {
  const std::string job =
      "\\\\verbose=false\\n\\\\subtrahend-in-exponent=0\\n\\\\operationsymbols=+*\\n\\\\beginjob\\n"
      "\\\\name\\nB2\\n\\\\size\\n4\\n\\\\elements\\n0ab1\\n\\\\edges\\n0a 0b a1 b1\\n"
      "\\\\constraints\\na+b=1 a*b=0\\n\\\\endofjob\\n\\\\enddata\\n";
  const struct {
    const char* name;
    const char* file;
  } cases[] = {{"-", "stdin"}, {"/dev/stdin", "/dev/stdin"}};
  fs::path work = fs::temp_directory_path() / ("mirelkon-stdin-" + std::to_string(getpid()));
  fs::create_directories(work);
  for (const auto& c : cases) {
    const std::string command = "cd '" + work.string() + "' && printf '" + job + "' | '" +
                                MIRELKON_BINARY + "' --json " + c.name + " > out 2> errors";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << c.name;
    EXPECT_EQ(WEXITSTATUS(status), 0) << c.name << ReadFile(work / "errors");
    EXPECT_NE(ReadFile(work / "out")
                  .find(std::string("{\"file\":\"") + c.file + "\",\"job\":1,\"name\":\"B2\""),
              std::string::npos)
        << ReadFile(work / "out");
    EXPECT_NE(ReadFile(work / "out").find("\"sub\":\"13\""), std::string::npos) << c.name;
    fs::remove(work / "out");
    fs::remove(work / "errors");
    EXPECT_TRUE(fs::is_empty(work)) << c.name;
  }
  fs::remove_all(work);
}

}  // namespace mirelkon
