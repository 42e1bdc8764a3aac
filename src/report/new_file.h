// Files created only where nothing stands yet: a program's output never replaces someone's
// file, not even one that appears while the output is being built.
#pragma once

#include <cstdio>
#include <string>

namespace mirelkon {

// Opens a new file for writing, or answers nullptr with errno telling why (EEXIST when
// anything stands under the name already).
std::FILE* CreateNewFile(const std::string& name);

}  // namespace mirelkon
