# Run by cmake --install after the files are in place (cmake/OstrelInstall.cmake sets the
# OSTREL_* variables): registers the installed modules into the system registry with the
# installed ostrel-regsvr, and writes the desktop entry, both naming the final paths below
# CMAKE_INSTALL_PREFIX whatever DESTDIR the files were staged under.

set(final_lib "${CMAKE_INSTALL_PREFIX}/${OSTREL_INSTALL_LIBDIR}")
set(staged_lib "$ENV{DESTDIR}${final_lib}")
set(registry "${staged_lib}/registry.txt")

set(modules)
foreach(name IN LISTS OSTREL_INSTALLED_MODULE_FILES)
  list(APPEND modules "${staged_lib}/${name}")
endforeach()
message(STATUS "Registering the modules into: ${registry}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "OSTREL_REGISTRY=${registry}"
          "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/ostrel-regsvr" ${modules}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ostrel-regsvr could not register the installed modules into ${registry}:\n${output}")
endif()
file(REMOVE "${registry}.lock")
# Staged below DESTDIR, the modules registered the paths where they lie now; the registry
# must name where they will be.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  file(READ "${registry}" text)
  string(REPLACE "\"${staged_lib}" "\"${final_lib}" text "${text}")
  file(WRITE "${registry}" "${text}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${final_lib}/registry.txt")

# Written straight to its place: two installs of one build tree may run at once.
set(OSTREL_INSTALLED_PROGRAM "${CMAKE_INSTALL_PREFIX}/bin/Ostrel")
set(entry "share/applications/ostrel.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${entry}")
configure_file("${OSTREL_DESKTOP_TEMPLATE}" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/${entry}")
