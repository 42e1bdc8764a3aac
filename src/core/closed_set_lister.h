// The closed subsets themselves, for the jobs that ask for them: every subset of {0..n-1}
// closed under the rules and holding `required`, one after another, in the order in which an
// enumeration of all subsets as binary numbers, element 0 the most significant digit, would
// meet them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "core/bits.h"
#include "core/rule.h"

namespace mirelkon {

// Calls visit with each closed subset; stops early, answering false, when visit does.
bool ListClosedSets(int n, std::span<const Rule> rules, Mask required,
                    const std::function<bool(Mask)>& visit);

// The same for n up to maxWideElements, the required elements given by number. Each subset is
// handed over as its (n + 63) / 64 words, element e being bit e % 64 of word e / 64.
bool ListWideClosedSets(int n, std::span<const WideRule> rules, std::span<const int> required,
                        const std::function<bool(std::span<const std::uint64_t>)>& visit);

}  // namespace mirelkon
