// Edit distance by the usual dynamic program, one row at a time.
#include "input/nearest_word.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <vector>

namespace mirelkon {

namespace {

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substituted = diagonal + (SameLetter(a[i - 1], b[j - 1]) ? 0 : 1);
      diagonal = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, substituted});
    }
  }
  return row[b.size()];
}

std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates) {
  const std::size_t slip = std::max<std::size_t>(1, word.size() / 3);
  std::string_view nearest;
  std::size_t best = slip + 1;
  for (std::string_view candidate : candidates) {
    const std::size_t distance = EditDistance(word, candidate);
    if (distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  return std::string(nearest);
}

}  // namespace mirelkon
