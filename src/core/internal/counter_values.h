// What the closed-set counter adds and multiplies: the number of closed sets of a part, or
// those numbers by size. Both follow the same search; only their arithmetic differs.
//
// A branch adds the values of its two sides, independent parts multiply, a free element is
// "in or out", and the elements a branch decides in raise the size of every set below it.
// For sizes the value is the polynomial sum over the closed sets S of x^|S|: a product of
// parts is then the convolution of their rows, a free element the factor 1 + x, and k
// elements decided in the factor x^k. Every coefficient counts subsets of one size of at most
// 64 elements, so it is below C(64, 32) < 2^64 and fits one word.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>

#include "core/bits.h"
#include "core/internal/small_part.h"
#include "core/limits.h"
#include "core/subset_count.h"

namespace mirelkon {

// The number of closed sets. The cache holds it in one word, or two for 2^64.
struct TotalCount {
  using Value = SubsetCount;
  struct Words {
    Mask word[2];
    int length;
    operator std::span<const Mask>() const { return {word, static_cast<std::size_t>(length)}; }
  };

  static Value One() { return 1; }
  static Value Free(int elements) { return SubsetCount{1} << elements; }
  // The number of subsets in a word of subsets of a small part.
  static Value OfSubsets(std::uint64_t subsets, int) { return Size(subsets); }
  static bool IsZero(const Value& v) { return v == 0; }
  static void Add(Value& sum, const Value& v, int) { sum += v; }
  static void Multiply(Value& product, const Value& v) { product *= v; }
  static Words Encode(const Value& v) {
    const Mask high = static_cast<Mask>(v >> 64);
    return {{static_cast<Mask>(v), high}, high == 0 ? 1 : 2};
  }
  static Value Decode(std::span<const Mask> words) {
    return words.size() == 1 ? words[0] : SubsetCount{words[1]} << 64 | words[0];
  }
};

// The number of closed sets of each size: coefficient k of the polynomial, k < length.
struct SizeCounts {
  struct Value {
    int length = 0;  // 0 for no set at all
    std::uint64_t coefficient[maxElements + 1];
  };
  using Words = std::span<const Mask>;

  static Value One() {
    Value v;
    v.length = 1;
    v.coefficient[0] = 1;
    return v;
  }
  // (1 + x)^elements, a row of Pascal's triangle.
  static Value Free(int elements) {
    Value v;
    v.length = elements + 1;
    v.coefficient[0] = 1;
    for (int k = 1; k <= elements; ++k)
      v.coefficient[k] =
          static_cast<std::uint64_t>(SubsetCount{v.coefficient[k - 1]} * (elements - k + 1) / k);
    return v;
  }
  // The subsets of each size in a word of subsets of a small part of `elements` elements.
  static Value OfSubsets(std::uint64_t subsets, int elements) {
    Value v;
    v.length = 0;
    for (int k = 0; k <= elements; ++k)
      if ((v.coefficient[k] = Size(subsets & subsetsOfSize[k])) != 0) v.length = k + 1;
    return v;
  }
  static bool IsZero(const Value& v) { return v.length == 0; }
  // sum += x^shift * v.
  static void Add(Value& sum, const Value& v, int shift) {
    if (v.length == 0) return;
    assert(v.length + shift <= maxElements + 1);
    const int length = std::max(sum.length, v.length + shift);
    std::fill(sum.coefficient + sum.length, sum.coefficient + length, 0);
    for (int k = 0; k < v.length; ++k) sum.coefficient[k + shift] += v.coefficient[k];
    sum.length = length;
  }
  static void Multiply(Value& product, const Value& v) {
    if (product.length == 0 || v.length == 0) {
      product.length = 0;
      return;
    }
    assert(product.length + v.length - 1 <= maxElements + 1);
    Value result;
    result.length = product.length + v.length - 1;
    std::fill(result.coefficient, result.coefficient + result.length, 0);
    for (int i = 0; i < product.length; ++i)
      for (int j = 0; j < v.length; ++j)
        result.coefficient[i + j] += product.coefficient[i] * v.coefficient[j];
    product = result;
  }
  static Words Encode(const Value& v) {
    return {v.coefficient, static_cast<std::size_t>(v.length)};
  }
  static Value Decode(std::span<const Mask> words) {
    Value v;
    v.length = static_cast<int>(words.size());
    std::copy(words.begin(), words.end(), v.coefficient);
    return v;
  }
};

}  // namespace mirelkon
