// JSON lines stay valid, one object per line, whatever bytes the input file gave the names.
#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "report/json_records.h"

namespace mirelkon {

TEST(JsonRecords, EveryLineParsesEvenWithBytesThatAreNotUtf8) {
  JsonRecords json;
  json.out = std::tmpfile();
  json.StartFile("caf\xe9.txt");
  json.WriteJob({"L \xff\"name\"", 5, 2, 4, 1, "23", 2.875, 0.5, {}});
  json.WriteError("(codeTz7) invalid element(s) ... in a\xff+b=c", 12);
  json.WriteError("Error: delete some of the caf\xe9.txt_r? files!", 0);
  std::rewind(json.out);
  std::string text;
  for (int c; (c = std::getc(json.out)) != EOF;) text.push_back(static_cast<char>(c));
  std::fclose(json.out);

  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  auto job = nlohmann::json::parse(line);
  EXPECT_EQ(job["job"], 1);
  EXPECT_EQ(job["sub"], "23");
  EXPECT_EQ(job["name"], "L \xef\xbf\xbd\"name\"");
  std::getline(lines, line);
  EXPECT_EQ(nlohmann::json::parse(line)["line"], 12);
  std::getline(lines, line);
  EXPECT_TRUE(nlohmann::json::parse(line)["line"].is_null());
  EXPECT_FALSE(std::getline(lines, line));
}

}  // namespace mirelkon
