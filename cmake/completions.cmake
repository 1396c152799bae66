# korvane_completion(NAME [SYNTAX object-library] [LIBRARIES target...])
#
# The program's bash completion, installed where bash-completion looks for
# it. With SYNTAX, the objects that define the program's program_syntax,
# it is written at build time from that syntax by a small generator linked
# with those objects, so that it offers exactly the options the program
# parses; without, the program takes no options and its operands are file
# names alone. Every program korvane_program makes comes here.
add_library(korvane_completion OBJECT completion/bash.cpp)
target_link_libraries(korvane_completion PRIVATE korvane_warnings)
set(KORVANE_COMPLETIONS ${PROJECT_BINARY_DIR}/completions)

function(korvane_completion name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SYNTAX" "LIBRARIES")
  set(file ${KORVANE_COMPLETIONS}/${name})
  if(arg_SYNTAX)
    add_executable(${name}_completion)
    target_link_libraries(${name}_completion PRIVATE korvane_completion ${arg_SYNTAX} ${arg_LIBRARIES} korvane_warnings)
    # A tool of the build, kept apart from the programs it installs.
    set_target_properties(${name}_completion PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/generators)
    add_custom_command(OUTPUT ${file}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_COMPLETIONS}
      COMMAND ${name}_completion > ${file}
      DEPENDS ${name}_completion
      COMMENT "Writing the bash completion of ${name} from its option table")
    add_custom_target(${name}_bash_completion ALL DEPENDS ${file})
  else()
    string(MAKE_C_IDENTIFIER ${name} function)
    file(WRITE ${file} "# bash completion for ${name}, which takes no options: file names alone
_korvane_${function}()
{
\t# shellcheck disable=SC2034
\tlocal cur prev words cword
\t_init_completion || return
\t_filedir
}
complete -F _korvane_${function} ${name}
")
  endif()
  install(FILES ${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  set_property(GLOBAL APPEND PROPERTY KORVANE_PROGRAMS ${name})
endfunction()

# Each program's completion run by bash, once every program is known.
function(korvane_completion_test)
  find_file(BASH_COMPLETION_HELPERS bash_completion PATHS /usr/share/bash-completion NO_DEFAULT_PATH)
  get_property(programs GLOBAL PROPERTY KORVANE_PROGRAMS)
  add_test(NAME completion.bash
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/completion_test.sh ${BASH_COMPLETION_HELPERS} ${KORVANE_COMPLETIONS} ${programs})
  set_tests_properties(completion.bash PROPERTIES SKIP_RETURN_CODE 77)
endfunction()
if(BUILD_TESTING)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL korvane_completion_test)
endif()
