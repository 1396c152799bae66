# Run by cpack on each package's staged tree, after the install rules and
# before the packages are made (CPACK_PRE_BUILD_SCRIPTS): what Debian asks of
# a package beyond what an install into a prefix holds. Every manual page is
# compressed, and the copyright and changelog join each package's
# documentation. Libraries go in Debian's multiarch folder (lib/ in a build
# for /usr/local), their pkg-config files naming the package's prefix.
find_program(GZIP_PROGRAM gzip REQUIRED)
find_program(DPKG_ARCHITECTURE_PROGRAM dpkg-architecture)
if(DPKG_ARCHITECTURE_PROGRAM)
  execute_process(COMMAND ${DPKG_ARCHITECTURE_PROGRAM} -qDEB_HOST_MULTIARCH
    OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()

# A tree per component, each a package of the name CPACK_DEBIAN_<COMPONENT>_PACKAGE_NAME.
file(GLOB trees LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(tree IN LISTS trees)
  get_filename_component(component "${tree}" NAME)
  string(TOUPPER "${component}" component)
  set(root "${tree}${CPACK_PACKAGING_INSTALL_PREFIX}")
  set(doc "${root}/share/doc/${CPACK_DEBIAN_${component}_PACKAGE_NAME}")

  file(GLOB archives "${root}/lib/*.a")
  if(multiarch AND (archives OR EXISTS "${root}/lib/pkgconfig"))
    file(MAKE_DIRECTORY "${root}/lib/${multiarch}")
    foreach(path IN LISTS archives ITEMS "${root}/lib/pkgconfig")
      get_filename_component(name "${path}" NAME)
      file(RENAME "${path}" "${root}/lib/${multiarch}/${name}")
    endforeach()
  endif()
  file(GLOB pc_files "${root}/lib/${multiarch}/pkgconfig/*.pc")
  foreach(pc IN LISTS pc_files)
    file(READ "${pc}" text)
    string(REGEX REPLACE "(^|\n)prefix=[^\n]*" "\\1prefix=${CPACK_PACKAGING_INSTALL_PREFIX}" text "${text}")
    string(REGEX REPLACE "(^|\n)libdir=[^\n]*" "\\1libdir=\${prefix}/lib/${multiarch}" text "${text}")
    file(WRITE "${pc}" "${text}")
  endforeach()

  file(GLOB pages "${root}/share/man/man*/*")
  file(MAKE_DIRECTORY "${doc}")
  file(COPY "${CMAKE_CURRENT_LIST_DIR}/copyright" "${CMAKE_CURRENT_LIST_DIR}/changelog" DESTINATION "${doc}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  # -n leaves out the name and time stamp, so the same page always gives the
  # same bytes.
  execute_process(COMMAND ${GZIP_PROGRAM} -9n ${pages} "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
