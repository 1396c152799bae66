# zirkfont installed as C libraries are: the header in include/, the static
# library and its pkg-config file in the library folder, its manual page,
# and, because firmware builds compile sources rather than link host
# libraries, the header and the source again under share/korvane/zirkfont/.
# All of it is the dev component, which the Debian package makes
# libzirkfont-dev; the rest of the tree is the tools' package, korvane.
install(TARGETS zirkfont ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(FILES zirkfont/zirkfont.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
install(FILES zirkfont/zirkfont.h zirkfont/zirkfont.c
  DESTINATION ${CMAKE_INSTALL_DATADIR}/korvane/zirkfont COMPONENT dev)
install(FILES doc/zirkfont.3 DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT dev)

# The pkg-config file finds the prefix from where it lies (${pcfiledir}), so
# an installed tree may be moved; folders given as absolute paths stay so.
set(pc_folder ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE ${pc_folder})
  set(ZIRKFONT_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH up /root/${pc_folder} /root)
  string(REGEX REPLACE "/$" "" up "${up}")
  set(ZIRKFONT_PC_PREFIX "\${pcfiledir}/${up}")
endif()
foreach(folder INCLUDEDIR LIBDIR)
  if(IS_ABSOLUTE ${CMAKE_INSTALL_${folder}})
    set(ZIRKFONT_PC_${folder} ${CMAKE_INSTALL_${folder}})
  else()
    set(ZIRKFONT_PC_${folder} "\${prefix}/${CMAKE_INSTALL_${folder}}")
  endif()
endforeach()
configure_file(packaging/zirkfont.pc.in zirkfont.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zirkfont.pc DESTINATION ${pc_folder} COMPONENT dev)

# Two Debian packages, each with its own name, section and description (a
# summary for all would come first in both).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME korvane)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzirkfont-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "read zirk font containers and draw text with them, on the device
zirkfont is a C99 library for firmware: it checks a zirk font container
once, and every later call stays inside what it checked. It draws text,
given as codes or as UTF-8 through a code map, into 1-bit framebuffers in
rows or in pages of 8 rows, or through a callback, clipped and scaled; it
measures and wraps lines. It needs no allocation, no writable data and no C
library, and keeps its fonts in flash where the target needs that.
.
This package holds the header, the static library for the host, its
pkg-config file and manual page, and the two sources, zirkfont.h and
zirkfont.c, to compile into a firmware build.")
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)

# The test runs what it compiles, so only where the build's compiler makes
# programs for this machine.
# The build's own C flags go with it: a library built under the sanitizers
# or for coverage links only into a program built alike.
if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING)
  separate_arguments(zirkfont_c_flags UNIX_COMMAND "${CMAKE_C_FLAGS}")
  add_test(NAME zirkfont_installed
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/zirkfont_installed_test.sh ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR}
      ${CMAKE_C_COMPILER} ${zirkfont_c_flags})
  set_tests_properties(zirkfont_installed PROPERTIES SKIP_RETURN_CODE 77)
endif()
