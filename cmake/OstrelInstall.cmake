# The install. cmake --install BUILD [--prefix PREFIX] puts
#   PREFIX/bin/                  Ostrel and ostrel-regsvr
#   PREFIX/lib/ostrel/           the two modules, the platform libraries they and the program
#                                stand on, and registry.txt, the system registry, into which
#                                the installed modules are registered at install time
#   PREFIX/share/applications/   ostrel.desktop, the desktop entry
#   PREFIX/share/icons/hicolor/  the program's icon, 16x16 and 32x32
# The programs find the libraries through their run path $ORIGIN/../lib/ostrel, the libraries
# each other through $ORIGIN: nothing installed depends on the build tree. Under DESTDIR the
# files land below it while the registry and the desktop entry name the final paths.

set(OSTREL_INSTALL_LIBDIR lib/ostrel)
set(OSTREL_INSTALLED_PROGRAMS Ostrel ostrel-regsvr)
set(OSTREL_INSTALLED_MODULES OstrelCollector KyComCtl)
set(OSTREL_INSTALLED_LIBRARIES
  platform_win32 platform_com platform_ads platform_netapi platform_mpr platform_forms_core platform_forms)

#
# The build tree links with the same run paths (BUILD_WITH_INSTALL_RPATH): a run path that the
# install would rewrite is padded by CMake with empty entries to make room, and an empty entry
# is the current folder, from which a program would then load a library planted where it is
# started. For the programs' $ORIGIN/../lib/ostrel the build tree has lib/ostrel, a link to
# bin/ where its libraries are.
set_target_properties(${OSTREL_INSTALLED_PROGRAMS} PROPERTIES
  INSTALL_RPATH "$ORIGIN/../${OSTREL_INSTALL_LIBDIR}" BUILD_WITH_INSTALL_RPATH ON)
set_target_properties(${OSTREL_INSTALLED_MODULES} ${OSTREL_INSTALLED_LIBRARIES} PROPERTIES
  INSTALL_RPATH "$ORIGIN" BUILD_WITH_INSTALL_RPATH ON)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
file(CREATE_LINK ../bin ${CMAKE_BINARY_DIR}/${OSTREL_INSTALL_LIBDIR} SYMBOLIC)

install(TARGETS ${OSTREL_INSTALLED_PROGRAMS} RUNTIME DESTINATION bin)
install(TARGETS ${OSTREL_INSTALLED_MODULES} ${OSTREL_INSTALLED_LIBRARIES}
  LIBRARY DESTINATION ${OSTREL_INSTALL_LIBDIR})

# The icon is the one the program carries as its own (drawn at build time, program/report/images).
get_target_property(OSTREL_PROGRAM_BINARY_DIR ostrel_report BINARY_DIR)
foreach(size 16 32)
  install(FILES ${OSTREL_PROGRAM_BINARY_DIR}/images/icon/101-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ostrel.png)
endforeach()

# Registration and the desktop entry need the final prefix, known only when installing.
install(CODE "
set(OSTREL_INSTALL_LIBDIR [[${OSTREL_INSTALL_LIBDIR}]])
set(OSTREL_INSTALLED_MODULE_FILES [[$<TARGET_FILE_NAME:OstrelCollector>;$<TARGET_FILE_NAME:KyComCtl>]])
set(OSTREL_DESKTOP_TEMPLATE [[${CMAKE_CURRENT_LIST_DIR}/ostrel.desktop.in]])
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/OstrelInstallSteps.cmake)
