# Run by cpack on the package's staged tree, after the install rules and
# before the package is made (CPACK_PRE_BUILD_SCRIPTS): what Debian asks of a
# package beyond what an install into a prefix holds. Every manual page is
# compressed, and the copyright and changelog join the documentation.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
file(GLOB pages "${root}/share/man/man*/*")
file(MAKE_DIRECTORY "${doc}")
file(COPY "${CMAKE_CURRENT_LIST_DIR}/copyright" "${CMAKE_CURRENT_LIST_DIR}/changelog" DESTINATION "${doc}"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# -n leaves out the name and time stamp, so the same page always gives the
# same bytes.
execute_process(COMMAND ${GZIP_PROGRAM} -9n ${pages} "${doc}/changelog" COMMAND_ERROR_IS_FATAL ANY)
