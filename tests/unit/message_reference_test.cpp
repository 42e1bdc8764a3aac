// The message reference, docs/messages.md, explains every tag that a message in the
// sources carries, such as "(codeHL1sW)".
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

TEST(MessageReference, ExplainsEveryTagInTheSources) {
  const fs::path root = MIRELKON_SOURCE_DIR;
  const std::string reference = ReadFile(root / "docs" / "messages.md");
  static const std::regex tag(R"(\([Cc]od[A-Za-z0-9-]*\))");
  std::set<std::string> tags;
  for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
    const std::string text = ReadFile(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), tag), end; it != end; ++it)
      tags.insert(it->str());
  }
  EXPECT_GE(tags.size(), 30u) << "the scan of src/ found too few tags";
  for (const std::string& t : tags) EXPECT_NE(reference.find(t), std::string::npos) << t;
}

}  // namespace mirelkon
