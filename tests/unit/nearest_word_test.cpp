// The nearest word: slips of one edit in a short word, a third of a long one, case ignored;
// nothing for a word that is no slip of any candidate.
#include <gtest/gtest.h>

#include <array>

#include "input/nearest_word.h"

namespace mirelkon {

namespace {

TEST(NearestWord, ASlipFindsTheWordMeantAndNothingElseDoes) {
  constexpr std::array<std::string_view, 5> candidates = {"\\endofjob", "\\enddata", "Pi", "tamari",
                                                          "--verbose"};
  const struct {
    const char* word;
    const char* meant;
  } cases[] = {
      {"\\endjob", "\\endofjob"},  // two characters left out of nine
      {"\\endata", "\\enddata"},  {"Pj", "Pi"}, {"TAMARY", "tamari"},
      {"--verbos", "--verbose"},  {"xyz", ""},  {"\\end", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NearestWord(c.word, candidates), c.meant) << c.word;
  EXPECT_EQ(EditDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(EditDistance("", "abc"), 3u);
}

}  // namespace

}  // namespace mirelkon
