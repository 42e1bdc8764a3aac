// An include up the layers: core cannot see input, so this must not compile.
#include "core/mirelkon.h"
#include "input/data_error.h"
