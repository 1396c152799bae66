# korvane_program(NAME SOURCES file... [SYNTAX file...] [LIBRARIES target...] PAGE doc/NAME.1)
#
# A program as a user gets it: built with the tree's warnings and the C++
# runtime linked in (its shared library's pages stay out of every run's
# resident memory and its relocations out of every start), installed with
# its manual page (korvane_page below) and its bash completion. A toolkit
# program names as SYNTAX the sources that define its program_syntax (and
# nothing with main); its completion is made from it.
include(${CMAKE_CURRENT_LIST_DIR}/completions.cmake)

function(korvane_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PAGE" "SOURCES;SYNTAX;LIBRARIES")
  if(NOT arg_SOURCES OR NOT arg_PAGE)
    message(FATAL_ERROR "korvane_program(${name}) needs SOURCES and a PAGE")
  endif()
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} korvane_warnings)
  if(arg_SYNTAX)
    add_library(${name}_syntax OBJECT ${arg_SYNTAX})
    target_link_libraries(${name}_syntax PRIVATE ${arg_LIBRARIES} korvane_warnings)
    target_link_libraries(${name} PRIVATE ${name}_syntax)
    korvane_completion(${name} SYNTAX ${name}_syntax LIBRARIES ${arg_LIBRARIES})
  else()
    korvane_completion(${name})
  endif()
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_link_options(${name} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  korvane_page(${arg_PAGE})
endfunction()

# korvane_page(doc/NAME.SECTION): a manual page installed in its section,
# and, when testing is on, checked by both formatters, which must have no
# warning about it.
function(korvane_page page)
  get_filename_component(name ${page} NAME)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${name})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  if(NOT BUILD_TESTING)
    return()
  endif()
  string(REGEX REPLACE "\\.1$" "" name ${name})
  set(page ${PROJECT_SOURCE_DIR}/${page})
  find_program(GROFF_PROGRAM groff)
  find_program(MANDOC_PROGRAM mandoc)
  if(GROFF_PROGRAM)
    add_test(NAME manual.${name}_groff_lint COMMAND ${GROFF_PROGRAM} -man -ww -z ${page})
    set_tests_properties(manual.${name}_groff_lint PROPERTIES FAIL_REGULAR_EXPRESSION ".")
  endif()
  if(MANDOC_PROGRAM)
    add_test(NAME manual.${name}_mandoc_lint COMMAND ${MANDOC_PROGRAM} -Tlint ${page})
    set_tests_properties(manual.${name}_mandoc_lint PROPERTIES FAIL_REGULAR_EXPRESSION ".")
  endif()
endfunction()
