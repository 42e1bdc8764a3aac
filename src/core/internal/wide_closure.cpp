// The partners of each element as sets, and the results of each pair gathered into one array,
// pair by pair.
#include "core/internal/wide_closure.h"

#include <cassert>

#include "core/limits.h"

namespace mirelkon {

WideClosure::WideClosure(int n, std::span<const WideRule> rules)
    : n_(n),
      words_((n + 63) / 64),
      partners_(static_cast<std::size_t>(n) * words_, 0),
      first_(static_cast<std::size_t>(n) * n + 1, 0) {
  assert(0 <= n && n <= maxWideElements);
  const auto pair = [n](int x, int y) { return static_cast<std::size_t>(x) * n + y; };
  // A rule is one of the pair (left, right) and, when they differ, of (right, left).
  for (const WideRule& rule : rules) {
    assert(rule.left < n && rule.right < n && rule.result < n);
    ++first_[pair(rule.left, rule.right) + 1];
    if (rule.right != rule.left) ++first_[pair(rule.right, rule.left) + 1];
    partners_[static_cast<std::size_t>(rule.left) * words_ + rule.right / 64] |=
        std::uint64_t{1} << (rule.right % 64);
    partners_[static_cast<std::size_t>(rule.right) * words_ + rule.left / 64] |=
        std::uint64_t{1} << (rule.left % 64);
  }
  for (std::size_t p = 1; p < first_.size(); ++p) first_[p] += first_[p - 1];
  results_.resize(first_.back());
  std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
  for (const WideRule& rule : rules) {
    results_[next[pair(rule.left, rule.right)]++] = rule.result;
    if (rule.right != rule.left) results_[next[pair(rule.right, rule.left)]++] = rule.result;
  }
}

}  // namespace mirelkon
