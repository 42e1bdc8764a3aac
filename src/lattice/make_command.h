// The command "make": the input file of a well-known lattice or of a direct product of
// several, with every join and meet of two incomparable elements.
#pragma once

#include <string>
#include <vector>

struct MakeRequest {
  std::vector<std::string> words;  // the term: "chain", "5", "x", "chain", "6", ...
  int subtrahend = 0;              // 0..20
  bool verbose = false;
};

// The element symbols, bottom first: digits and letters, then the other characters an
// element symbol may be.
inline constexpr char elementSymbolAlphabet[] =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$&/:;<>@^_`|~";

// A whole number written in digits alone, within the range of int.
bool ParseNumber(const std::string& word, int& value);

// Answers the written input file; a malformed term or a lattice above the element limit
// comes as a CommandError.
std::string MakeInputFile(const MakeRequest& request);
