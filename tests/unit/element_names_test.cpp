// Elements named on the command line: legend names before symbols, runs of symbols, names and
// symbols separated by commas, and the first word that names nothing.
#include <gtest/gtest.h>

#include "input/element_names.h"

namespace mirelkon {

namespace {

// D12 as mirelkon-lattice writes it: the divisors 1 to 6 are their own symbols, 12 is "a".
struct Divisors12 {
  PartialLattice lattice{"12346a", "+*", Order::Identity(6), {}};
  std::vector<LegendEntry> legend{{'1', "1"}, {'2', "2"}, {'3', "3"},
                                  {'4', "4"}, {'6', "6"}, {'a', "12"}};
};

TEST(ElementNames, NamesComeBeforeSymbolsAndUnknownWordsAreNamed) {
  const Divisors12 d;
  const struct {
    const char* text;
    Mask elements;
    const char* unknown;
  } cases[] = {
      {"12", Bit(5), ""},                     // the name, not the symbols 1 and 2
      {"a", Bit(5), ""},                      // a symbol still works
      {"12 3", Bit(5) | Bit(2), ""},          // words separated by blanks
      {"12,4", Bit(5) | Bit(3), ""},          // or by commas
      {"346", Bit(2) | Bit(3) | Bit(4), ""},  // a run of symbols, as before names
      {"12,7", 0, "7"},                       // the piece that names nothing
      {"5", 0, "5"},
  };
  for (const auto& c : cases) {
    const ElementChoice choice = ResolveElements(d.lattice, d.legend, c.text);
    EXPECT_EQ(choice.unknown, c.unknown) << c.text;
    if (choice.unknown.empty()) {
      EXPECT_EQ(choice.elements, c.elements) << c.text;
    }
  }
}

TEST(ElementNames, SetsAreWrittenInNamesWhereThereIsALegend) {
  const Divisors12 d;
  EXPECT_EQ(ElementsText(d.lattice, d.legend, Bit(0) | Bit(5)), "1 12");
  EXPECT_EQ(ElementsText(d.lattice, {}, Bit(0) | Bit(5)), "1a");
  EXPECT_EQ(ElementsText(d.lattice, d.legend, 0), "{}");
}

}  // namespace

}  // namespace mirelkon
