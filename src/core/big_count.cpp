// Conversions of exact counts to text and to words.
#include "core/big_count.h"

#include <cmath>

#include <cassert>

namespace mirelkon {

BigCount PowerOfTwo(int k) {
  assert(k >= 0);
  BigCount power;
  mpz_ui_pow_ui(power.get_mpz_t(), 2, static_cast<unsigned long>(k));
  return power;
}

BigCount BigCountOf(SubsetCount value) {
  const std::uint64_t words[2] = {static_cast<std::uint64_t>(value),
                                  static_cast<std::uint64_t>(value >> 64)};
  return CountOfWords(words);
}

std::string DecimalText(const BigCount& value) {
  return value.get_str(10);
}

std::vector<std::uint64_t> CountWords(const BigCount& value) {
  assert(sgn(value) >= 0);
  std::vector<std::uint64_t> words((mpz_sizeinbase(value.get_mpz_t(), 2) + 63) / 64);
  std::size_t written = 0;
  mpz_export(words.data(), &written, -1, sizeof(std::uint64_t), 0, 0, value.get_mpz_t());
  words.resize(written);
  return words;
}

BigCount CountOfWords(std::span<const std::uint64_t> words) {
  BigCount value;
  mpz_import(value.get_mpz_t(), words.size(), -1, sizeof(std::uint64_t), 0, 0, words.data());
  return value;
}

double Sigma(const BigCount& count, int n, int subtrahend) {
  long exponent = 0;
  const double mantissa = mpz_get_d_2exp(&exponent, count.get_mpz_t());
  return std::ldexp(mantissa, static_cast<int>(exponent) + subtrahend - n);
}

}  // namespace mirelkon
