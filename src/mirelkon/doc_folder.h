// Where the installed documentation is, for the usage text.
#pragma once

#include <string>

namespace mirelkon {

// PREFIX/share/mirelkon beside the running program when it has been installed there (so an
// installation may go anywhere without building again); else the folder the build was
// configured to install it to, or, while nothing is installed there, the checkout the program
// was built from.
std::string DocumentationFolder();

}  // namespace mirelkon
