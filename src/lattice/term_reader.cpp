// A recursive descent over the words of a term, one function for each level of binding.
#include "lattice/term_reader.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <climits>
#include <string_view>
#include <utility>

#include "families/lattice_constructions.h"
#include "families/lattices.h"
#include "input/nearest_word.h"
#include "input/whole_number.h"

namespace mirelkon {

namespace {

constexpr int maxArguments = 2;

struct Family {
  std::string_view name;
  std::string_view shortName;      // written with the argument glued on: C4, Pi4; N5 whole
  std::string_view argumentNames;  // one letter per argument, as the usage writes them
  int minimum[maxArguments];
  bool firstIsPrime;
  bool (*build)(LatticeFactor&, const int*);
};

constexpr Family families[] = {
    {"chain", "C", "N", {1}, false, BuildChain},
    {"boolean", "B", "K", {0}, false, BuildBoolean},
    {"diamond", "M", "K", {0}, false, BuildDiamond},
    {"pentagon", "N5", "", {}, false, BuildPentagon},
    {"divisors", "D", "M", {1}, false, BuildDivisors},
    {"partitions", "Pi", "K", {1}, false, BuildPartitions},
    {"subspaces", "", "PK", {2, 0}, true, BuildSubspaces},
    {"tamari", "", "N", {1}, false, BuildTamari},
    {"young", "", "MN", {0, 0}, false, BuildYoung},
};

constexpr std::string_view operators[] = {"x", "^", "+", "++", "dual", "(", ")"};

bool IsOperator(std::string_view word) {
  return std::find(std::begin(operators), std::end(operators), word) != std::end(operators);
}

std::string FormOf(const Family& family) {
  std::string form(family.name);
  for (char argument : family.argumentNames) form += std::string(" ") + argument;
  return form;
}

// "chain N (CN)" and so on, for the refusal of an unknown name.
std::string KnownLattices() {
  std::string known;
  for (const Family& family : families) {
    known += (known.empty() ? "" : ", ") + FormOf(family);
    if (family.shortName.empty()) continue;
    known += " (" + std::string(family.shortName) + std::string(family.argumentNames) + ")";
  }
  return known;
}

// A name as people type it: in any case, with "_" as in M_3 and N_5 left out.
std::string Folded(std::string_view word) {
  std::string folded;
  for (char c : word)
    if (c != '_') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// " (did you mean Pi4?)" for "Pj4": the name nearest to the word's letters, with its number,
// glued to a short name and a word apart from a long one (" (did you mean tamari 6?)" for
// "Tamari6", which is no name).
std::string Suggestion(const std::string& word) {
  const std::size_t digits = word.find_last_not_of("0123456789") + 1;
  std::vector<std::string_view> names;
  for (const Family& family : families) {
    names.push_back(family.name);
    if (!family.shortName.empty()) names.push_back(family.shortName);
  }
  const std::string nearest = NearestWord(word.substr(0, digits), names);
  if (nearest.empty()) return "";
  const bool longName = std::any_of(std::begin(families), std::end(families),
                                    [&](const Family& f) { return f.name == nearest; });
  const std::string number = nearest == "N5" || digits == word.size() ? ""
                             : longName ? std::string(1, ' ') + word.substr(digits)
                                        : word.substr(digits);
  return " (did you mean " + nearest + number + "?)";
}

// The family a word names and the arguments it carries itself: none for a long name, the
// number glued to a short one ("C4" carries "4"; "D" alone takes the next word, as in "D 360").
const Family* FindFamily(const std::string& word, std::vector<std::string>& arguments) {
  const std::string folded = Folded(word);
  for (const Family& family : families) {
    if (family.name == folded) return &family;
    const std::string shortName = Folded(family.shortName);
    if (shortName.empty() || !folded.starts_with(shortName)) continue;
    const std::string rest = folded.substr(shortName.size());
    // Digits glued on make a short name, in range or not: the range is told below.
    const bool digits = !rest.empty() && rest.find_first_not_of("0123456789") == std::string::npos;
    if (family.argumentNames.empty() ? !rest.empty() : !rest.empty() && !digits) continue;
    if (!rest.empty()) arguments.push_back(rest);
    return &family;
  }
  throw TermError{"unknown lattice \"" + word + "\"" + Suggestion(word) + "; the lattices are " +
                  KnownLattices()};
}

int Exponent(const std::string& word) {
  int k = 0;
  if (!ParseWholeNumber(word, k) || k < 1)
    throw TermError{"\"^\" needs a whole number from 1 to " + std::to_string(INT_MAX) +
                    " after it, as in chain 4 ^ 3"};
  return k;
}

// How a character splits the words of a term: a blank ends a word; "(", ")" and "^" stand
// alone, so "(C2)^2" reads as "( C2 ) ^ 2"; a run of "+" is one word ("+" or "++"); the rest
// runs together.
enum class CharKind { blank, alone, plus, other };

CharKind KindOf(char c) {
  if (std::isspace(static_cast<unsigned char>(c))) return CharKind::blank;
  if (c == '(' || c == ')' || c == '^') return CharKind::alone;
  return c == '+' ? CharKind::plus : CharKind::other;
}

// An "x" between a number and the next lattice's name is the product sign: "M3xC3".
bool IsProductSign(const std::string& text, std::size_t i) {
  return (text[i] == 'x' || text[i] == 'X') && i > 0 && i + 1 < text.size() &&
         std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
         std::isalpha(static_cast<unsigned char>(text[i + 1]));
}

class TermReader {
 public:
  explicit TermReader(const std::vector<std::string>& words) : words_(words) {}

  LatticeFactor Whole() {
    assert(!words_.empty());  // the command line asks for a term before
    LatticeFactor lattice = Sum();
    if (at_ < words_.size()) throw TermError{"unexpected \"" + words_[at_] + "\""};
    return lattice;
  }

 private:
  bool Next(std::string_view word) const { return at_ < words_.size() && words_[at_] == word; }

  // Sums are read from the left; each summand's elements are named by its place: "2:a".
  LatticeFactor Sum() {
    LatticeFactor sum = Product();
    for (int place = 2; Next("+") || Next("++"); ++place) {
      const bool glued = words_[at_++] == "+";
      if (place == 2) PrefixNames(sum, "1:");
      LatticeFactor upper = Product();
      PrefixNames(upper, std::to_string(place) + ":");
      if (!AddSummand(sum, upper, glued)) throw LatticeTooLarge{};
    }
    return sum;
  }

  LatticeFactor Product() {
    LatticeFactor product = Power();
    bool several = false;
    while (Next("x")) {
      ++at_;
      if (!MultiplyBy(product, Power())) throw LatticeTooLarge{};
      several = true;
    }
    if (several) NameAsTuples(product);
    return product;
  }

  LatticeFactor Power() {
    LatticeFactor base = Unary();
    while (Next("^")) {
      ++at_;
      if (!RaiseToPower(base, Exponent(at_ < words_.size() ? words_[at_++] : ""))) {
        throw LatticeTooLarge{};
      }
    }
    return base;
  }

  // Every level of parentheses or "dual" passes here; a bound on them keeps a hostile term
  // from running the stack out.
  LatticeFactor Unary() {
    if (++depth_ > maxDepth) throw TermError{"the term nests more than 64 deep"};
    LatticeFactor lattice;
    if (Next("dual")) {
      ++at_;
      lattice = Dual(Unary());
    } else {
      lattice = Primary();
    }
    --depth_;
    return lattice;
  }

  LatticeFactor Primary() {
    if (at_ == words_.size() || (IsOperator(words_[at_]) && words_[at_] != "(")) {
      throw TermError{"a lattice is missing beside \"" +
                      (at_ == words_.size() ? words_[at_ - 1] : words_[at_]) + "\""};
    }
    if (!Next("(")) return FamilyMember();
    ++at_;
    LatticeFactor inner = Sum();
    if (!Next(")")) throw TermError{"a \")\" is missing"};
    ++at_;
    return inner;
  }

  // A family's name and the whole numbers after it, up to the next operator.
  LatticeFactor FamilyMember() {
    const std::size_t first = at_;
    std::vector<std::string> arguments;
    const Family& family = *FindFamily(words_[at_++], arguments);
    while (at_ < words_.size() && !IsOperator(words_[at_])) arguments.push_back(words_[at_++]);
    const std::string term = TermName({words_.begin() + first, words_.begin() + at_});
    if (arguments.size() != family.argumentNames.size())
      throw TermError{"\"" + term + "\" should read " + FormOf(family)};
    int numbers[maxArguments] = {};
    for (std::size_t a = 0; a < arguments.size(); ++a) {
      if (!ParseWholeNumber(arguments[a], numbers[a]) || numbers[a] < family.minimum[a]) {
        throw TermError{"in \"" + term + "\", " + family.argumentNames[a] +
                        " must be a whole number from " + std::to_string(family.minimum[a]) +
                        " to " + std::to_string(INT_MAX)};
      }
    }
    if (family.firstIsPrime && !IsPrime(numbers[0]))
      throw TermError{"in \"" + term + "\", " + family.argumentNames[0] + " must be a prime"};
    LatticeFactor lattice;
    if (!family.build(lattice, numbers)) throw LatticeTooLarge{};
    return lattice;
  }

  static constexpr int maxDepth = 64;

  const std::vector<std::string>& words_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

std::vector<std::string> TermWords(const std::vector<std::string>& arguments) {
  std::vector<std::string> words;
  for (const std::string& argument : arguments) {
    std::string word;
    CharKind last = CharKind::blank;
    for (std::size_t i = 0; i < argument.size(); ++i) {
      const char c = argument[i];
      const CharKind kind = IsProductSign(argument, i) ? CharKind::alone : KindOf(c);
      if (!word.empty() && (kind != last || kind == CharKind::alone))
        words.push_back(std::exchange(word, {}));
      if (kind != CharKind::blank) word += IsProductSign(argument, i) ? 'x' : c;
      last = kind;
    }
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

std::string TermName(const std::vector<std::string>& words) {
  std::string name;
  for (std::size_t w = 0; w < words.size(); ++w) {
    const bool blank = w > 0 && words[w - 1] != "(" && words[w] != ")";
    name += (blank ? " " : "") + words[w];
  }
  return name;
}

LatticeFactor ReadTerm(const std::vector<std::string>& words, int largest) {
  assert(largest <= maxWideElements);
  LatticeFactor lattice = TermReader(words).Whole();
  if (lattice.Size() > largest) throw LatticeTooLarge{};
  return lattice;
}

}  // namespace mirelkon
