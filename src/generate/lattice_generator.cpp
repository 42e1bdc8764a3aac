// The walk through the generation tree.
#include "generate/lattice_generator.h"

#include <cassert>

#include "core/internal/nauty_storage.h"
#include "generate/canonical_coatom.h"
#include "generate/hasse_symmetry.h"

namespace mirelkon {

LatticeGenerator::LatticeGenerator(const GenerationPlan& plan, TaskDispenser* tasks)
    : plan_(plan), tasks_(tasks), path_(plan.size + 1), extensions_(plan.size + 1) {
  assert(1 <= plan.size && plan.size <= maxGeneratedSize);
}

void LatticeGenerator::Run(const Visitor& visit, const Checkpoint& checkpoint) {
  // The walk may run on a thread of its own that ends with it, or end with an exception.
  const NautyStorage releasedAtTheEnd;
  visit_ = visit ? &visit : nullptr;
  checkpoint_ = checkpoint ? &checkpoint : nullptr;
  stats_ = {};
  partIndex_ = 0;
  taskIndex_ = 0;
  claimed_ = -1;
  if (plan_.size == 1) {
    path_[1] = SingleElement();
    if (Admit(1)) Emit(path_[1]);
  } else {
    path_[2] = ChainOfTwo();
    if (Admit(2)) {
      if (plan_.size == 2) {
        Emit(path_[2]);
      } else {
        Expand(2);
      }
    }
  }
  visit_ = nullptr;
  checkpoint_ = nullptr;
}

// Follows every extension of the lattice path_[size] whose new coatom is canonical. The new
// coatom takes the number of the old top, size - 1.
void LatticeGenerator::Expand(int size) {
  const GeneratedLattice& parent = path_[size];
  std::vector<CoatomExtension>& extensions = extensions_[size];
  finder_.Find(parent, extensions, stats_);
  ++stats_.expanded;
  GeneratedLattice& child = path_[size + 1];
  const bool last = size + 1 == plan_.size;
  const int newCoatom = size - 1;
  for (const CoatomExtension& extension : extensions) {
    bool built = false;
    if (extension.tied != 0) {
      AddCoatom(parent, extension.below, extension.covered, child);
      built = true;
      ++stats_.tiesSettled;
      if (!IsCanonicalAmongTied(child, newCoatom, extension.tied | Bit(newCoatom))) continue;
    }
    if (!Admit(size + 1)) continue;
    if (!built && (!last || visit_ != nullptr))
      AddCoatom(parent, extension.below, extension.covered, child);
    if (last) {
      Emit(child);
    } else {
      Expand(size + 1);
    }
  }
}

// Whether the lattice just accepted, of the given size, is in this generator's share: in its
// part, and a task it claimed. Every lattice of a split level is counted, in the same order
// in every part and on every thread, so the numbers agree among them.
bool LatticeGenerator::Admit(int size) {
  if (size == plan_.partLevel &&
      partIndex_++ % plan_.parts != static_cast<std::uint64_t>(plan_.part))
    return false;
  if (size == plan_.taskLevel && tasks_ != nullptr) {
    const std::int64_t task = taskIndex_++;
    // Claims grow, so one claim made here is at least this task's number.
    if (claimed_ < task) claimed_ = tasks_->Claim();
    return claimed_ == task;
  }
  return true;
}

void LatticeGenerator::Emit(const GeneratedLattice& lattice) {
  ++stats_.lattices;
  if (visit_ != nullptr) (*visit_)(lattice);
  if (checkpoint_ != nullptr && stats_.lattices % checkpointInterval == 0) (*checkpoint_)(*this);
}

}  // namespace mirelkon
