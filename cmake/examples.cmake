# cmake -DTXT2ZIRK=PROGRAM -DEXAMPLES=DIR -P examples.cmake: makes each
# DIR/NAME.zirk from DIR/NAME.txt with txt2zirk. A text txt2zirk refuses
# leaves its container as it was.
file(GLOB texts "${EXAMPLES}/*.txt")
foreach(text IN LISTS texts)
  get_filename_component(name "${text}" NAME_WE)
  execute_process(COMMAND "${TXT2ZIRK}" "${text}"
    OUTPUT_FILE "${EXAMPLES}/${name}.zirk.new"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    file(REMOVE "${EXAMPLES}/${name}.zirk.new")
    message(FATAL_ERROR "txt2zirk refused ${text}")
  endif()
  file(RENAME "${EXAMPLES}/${name}.zirk.new" "${EXAMPLES}/${name}.zirk")
endforeach()
