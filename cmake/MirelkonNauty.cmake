# nauty as the imported target nauty::nauty (Debian: libnauty2-dev, whose headers are split
# between include/nauty and include/<arch>/nauty). Included by the build and by the installed
# package's configuration, so that a program linking the library finds nauty the same way.
if(NOT TARGET nauty::nauty)
  find_path(NAUTY_INCLUDE_DIR nauty/nauty.h)
  find_path(NAUTY_TOOLS_INCLUDE_DIR nauty/naugroup.h)
  find_library(NAUTY_LIBRARY nauty)
  if(NOT NAUTY_INCLUDE_DIR OR NOT NAUTY_TOOLS_INCLUDE_DIR OR NOT NAUTY_LIBRARY)
    message(FATAL_ERROR "nauty was not found; on Debian: sudo apt-get install libnauty2-dev")
  endif()
  add_library(nauty::nauty UNKNOWN IMPORTED)
  set_target_properties(nauty::nauty PROPERTIES
    IMPORTED_LOCATION ${NAUTY_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES "${NAUTY_INCLUDE_DIR};${NAUTY_TOOLS_INCLUDE_DIR}"
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${NAUTY_INCLUDE_DIR};${NAUTY_TOOLS_INCLUDE_DIR}")
endif()
