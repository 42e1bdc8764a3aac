# GMP's C++ interface as the imported target gmp::gmpxx (Debian: libgmp-dev). Included by the
# build and by the installed package's configuration: the library's counts of sets wider than
# 64 elements are GMP integers in its headers.
if(NOT TARGET gmp::gmpxx)
  find_path(GMPXX_INCLUDE_DIR gmpxx.h)
  find_library(GMP_LIBRARY gmp)
  find_library(GMPXX_LIBRARY gmpxx)
  if(NOT GMPXX_INCLUDE_DIR OR NOT GMP_LIBRARY OR NOT GMPXX_LIBRARY)
    message(FATAL_ERROR "GMP was not found; on Debian: sudo apt-get install libgmp-dev")
  endif()
  add_library(gmp::gmpxx UNKNOWN IMPORTED)
  set_target_properties(gmp::gmpxx PROPERTIES
    IMPORTED_LOCATION ${GMPXX_LIBRARY}
    INTERFACE_LINK_LIBRARIES ${GMP_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${GMPXX_INCLUDE_DIR}
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${GMPXX_INCLUDE_DIR})
endif()
