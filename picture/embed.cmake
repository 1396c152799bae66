# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DNAME=NAME -P embed.cmake
#
# Writes a C++ source that defines the bytes of INPUT as
# `const unsigned char NAME[]` and their count as `const std::size_t
# NAME_size`, both declared in HEADER, which the source includes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
  message(FATAL_ERROR "embed.cmake: ${INPUT} is empty")
endif()
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n\t" bytes "${bytes}")
file(WRITE "${OUTPUT}.new" "// Made by embed.cmake from ${INPUT}; do not edit.
#include \"${HEADER}\"

const unsigned char ${NAME}[] = {
	${bytes}
};
const std::size_t ${NAME}_size = sizeof ${NAME};
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
