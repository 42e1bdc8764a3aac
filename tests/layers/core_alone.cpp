// The front door of the library compiles with the core layer's include root alone.
#include "core/mirelkon.h"
