// Work run to its end on a thread of its own with a stack of a given size, for a recursion
// deeper than the main thread's stack holds; an exception it throws is thrown again here.
#pragma once

#include <cstddef>
#include <functional>

namespace mirelkon {

// Throws std::bad_alloc when no such thread can be made.
void RunOnStack(std::size_t stackBytes, const std::function<void()>& work);

}  // namespace mirelkon
