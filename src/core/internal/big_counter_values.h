// What the counter adds and multiplies over sets wider than 64 elements, where counts outgrow
// 128 bits: the same two kinds of value as core/internal/counter_values.h, the number of
// closed sets and those numbers by size, as GMP integers. In the cache a count is its words,
// lowest first; a row of counts by size is each count's number of words, then its words.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/big_count.h"
#include "core/bits.h"
#include "core/internal/small_part.h"

namespace mirelkon {

struct BigTotalCount {
  using Value = BigCount;
  using Words = std::vector<Mask>;

  static Value One() { return 1; }
  static Value Free(int elements) { return PowerOfTwo(elements); }
  static Value OfSubsets(std::uint64_t subsets, int) {
    return BigCount(static_cast<unsigned long>(Size(subsets)));
  }
  static bool IsZero(const Value& v) { return v == 0; }
  static void Add(Value& sum, const Value& v, int) { sum += v; }
  static void Multiply(Value& product, const Value& v) { product *= v; }
  static Words Encode(const Value& v) { return CountWords(v); }
  static Value Decode(std::span<const Mask> words) { return CountOfWords(words); }
};

// The polynomial sum over the closed sets S of x^|S|, coefficient k at place k; no
// coefficients for no set at all.
struct BigSizeCounts {
  using Value = std::vector<BigCount>;
  using Words = std::vector<Mask>;

  static Value One() { return {BigCount(1)}; }
  // (1 + x)^elements.
  static Value Free(int elements) {
    Value v(elements + 1);
    v[0] = 1;
    for (int k = 1; k <= elements; ++k) v[k] = v[k - 1] * (elements - k + 1) / k;
    return v;
  }
  static Value OfSubsets(std::uint64_t subsets, int elements) {
    Value v;
    for (int k = 0; k <= elements; ++k)
      if (const int c = Size(subsets & subsetsOfSize[k]); c != 0) {
        v.resize(k + 1);
        v[k] = static_cast<unsigned long>(c);
      }
    return v;
  }
  static bool IsZero(const Value& v) { return v.empty(); }
  // sum += x^shift * v.
  static void Add(Value& sum, const Value& v, int shift) {
    if (v.empty()) return;
    if (sum.size() < v.size() + shift) sum.resize(v.size() + shift);
    for (std::size_t k = 0; k < v.size(); ++k) sum[k + shift] += v[k];
  }
  static void Multiply(Value& product, const Value& v) {
    if (product.empty() || v.empty()) {
      product.clear();
      return;
    }
    Value result(product.size() + v.size() - 1);
    for (std::size_t i = 0; i < product.size(); ++i)
      for (std::size_t j = 0; j < v.size(); ++j) result[i + j] += product[i] * v[j];
    product = std::move(result);
  }
  static Words Encode(const Value& v) {
    Words words;
    for (const BigCount& c : v) {
      const std::vector<std::uint64_t> w = CountWords(c);
      words.push_back(w.size());
      words.insert(words.end(), w.begin(), w.end());
    }
    return words;
  }
  static Value Decode(std::span<const Mask> words) {
    Value v;
    for (std::size_t at = 0; at < words.size(); at += 1 + words[at])
      v.push_back(CountOfWords(words.subspan(at + 1, words[at])));
    return v;
  }
};

}  // namespace mirelkon
