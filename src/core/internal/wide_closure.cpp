// The rules of each element gathered into one array, element by element.
#include "core/internal/wide_closure.h"

#include "core/limits.h"

namespace mirelkon {

WideClosure::WideClosure(int n, std::span<const WideRule> rules)
    : n_(n), first_(static_cast<std::size_t>(n) + 1, 0) {
  assert(0 <= n && n <= maxWideElements);
  // A rule is a premise rule of its left and, when they differ, of its right.
  for (const WideRule& rule : rules) {
    assert(rule.left < n && rule.right < n && rule.result < n);
    ++first_[rule.left + 1];
    if (rule.right != rule.left) ++first_[rule.right + 1];
  }
  for (int x = 0; x < n; ++x) first_[x + 1] += first_[x];
  consequences_.resize(first_[n]);
  std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
  for (const WideRule& rule : rules) {
    consequences_[next[rule.left]++] = {rule.right, rule.result};
    if (rule.right != rule.left) consequences_[next[rule.right]++] = {rule.left, rule.result};
  }
}

}  // namespace mirelkon
