// Tamari lattices (binary trees under rotation) and Young's lattices (partitions in a box
// under inclusion of their diagrams). Both are built from vectors ordered componentwise.
#include <algorithm>
#include <numeric>
#include <vector>

#include "families/lattice_families.h"

namespace mirelkon {

namespace {

// A binary tree as its bracket vector, after Huang and Tamari: right[i] is the number of
// inner nodes in the right subtree of the i-th inner node, in symmetric order. Rotation
// orders the trees exactly as it orders these vectors componentwise; the tree leaning all
// to the left is the bottom.
struct Tree {
  std::vector<int> right;
  std::string name;  // the bracketing of its leaves a, b, c, ...
};

// Every tree with n inner nodes whose leaves are the letters from firstLeaf on.
std::vector<Tree> TreesWith(int n, char firstLeaf) {
  if (n == 0) return {{{}, std::string(1, firstLeaf)}};
  std::vector<Tree> trees;
  for (int k = 0; k < n; ++k)
    for (const Tree& left : TreesWith(k, firstLeaf))
      for (const Tree& right : TreesWith(n - 1 - k, static_cast<char>(firstLeaf + k + 1))) {
        Tree tree{left.right, "(" + left.name + right.name + ")"};
        tree.right.push_back(n - 1 - k);
        tree.right.insert(tree.right.end(), right.right.begin(), right.right.end());
        trees.push_back(std::move(tree));
      }
  return trees;
}

// a <= b componentwise, a missing entry counting as 0.
bool ComponentwiseBelow(const std::vector<int>& a, const std::vector<int>& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] > (i < b.size() ? b[i] : 0)) return false;
  return true;
}

int Sum(const std::vector<int>& v) {
  return std::accumulate(v.begin(), v.end(), 0);
}

// Collects the partitions with at most `parts` parts, none above `largest`, that extend the
// prefix; false when there are more than maxWideElements.
bool CollectPartitionsInBox(std::vector<int>& prefix, int parts, int largest,
                            std::vector<std::vector<int>>& all) {
  all.push_back(prefix);
  if (static_cast<int>(all.size()) > maxWideElements) return false;
  if (parts == 0) return true;
  for (int part = 1; part <= largest; ++part) {
    prefix.push_back(part);
    const bool fits = CollectPartitionsInBox(prefix, parts - 1, part, all);
    prefix.pop_back();
    if (!fits) return false;
  }
  return true;
}

std::string PartitionInBoxName(const std::vector<int>& parts, bool separated) {
  if (parts.empty()) return "0";
  std::string name;
  for (int part : parts) {
    if (separated && !name.empty()) name += ',';
    name += std::to_string(part);
  }
  return name;
}

}  // namespace

bool BuildTamari(LatticeFactor& factor, const int* arguments) {
  const int n = arguments[0];
  // Catalan(n) trees: more than maxWideElements from n = 8 on.
  long long catalan = 1;
  for (int i = 0; i < n; ++i)
    if ((catalan = catalan * 2 * (2 * i + 1) / (i + 2)) > maxWideElements) return false;
  std::vector<Tree> trees = TreesWith(n, 'a');
  std::stable_sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) {
    return Sum(a.right) < Sum(b.right) || (Sum(a.right) == Sum(b.right) && a.right < b.right);
  });
  for (const Tree& tree : trees) AddElement(factor, tree.name.substr(1, tree.name.size() - 2));
  SetOrder(factor,
           [&](int i, int j) { return ComponentwiseBelow(trees[i].right, trees[j].right); });
  return true;
}

bool BuildYoung(LatticeFactor& factor, const int* arguments) {
  std::vector<std::vector<int>> all;
  std::vector<int> prefix;
  if (!CollectPartitionsInBox(prefix, arguments[0], arguments[1], all)) return false;
  // Smaller diagrams first; among equal sizes, the larger first part first.
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
    return Sum(a) < Sum(b) || (Sum(a) == Sum(b) && a > b);
  });
  for (const auto& parts : all) AddElement(factor, PartitionInBoxName(parts, arguments[1] > 9));
  SetOrder(factor, [&](int i, int j) { return ComponentwiseBelow(all[i], all[j]); });
  return true;
}

}  // namespace mirelkon
