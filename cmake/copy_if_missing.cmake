# cmake -DSOURCE=file -DTARGET=file -P copy_if_missing.cmake
# Copies a file the program rewrites at run time only where it is missing, so
# a rebuild never undoes what the program wrote there.
if(NOT EXISTS "${TARGET}")
  configure_file("${SOURCE}" "${TARGET}" COPYONLY)
endif()
