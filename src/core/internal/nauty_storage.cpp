// Every part of nauty the library calls keeps storage of its own.
#include "core/internal/nauty_storage.h"

#include <nauty/nausparse.h>
#include <nauty/nautinv.h>
#include <nauty/nauty.h>

namespace mirelkon {

void ReleaseNautyStorage() {
  nauty_freedyn();
  nautil_freedyn();
  naugraph_freedyn();
  nautinv_freedyn();
  nausparse_freedyn();
}

}  // namespace mirelkon
