// The one way a test starts a program under test: by its name, from the
// build's directory of programs, after the words of KORVANE_TEST_WRAPPER
// (valgrind, an emulator), which the build compiles in.
#pragma once

#include "run_korvane.h"

#include <string>
#include <vector>

struct run_options {
	output_to out = output_to::capture;
	std::string input;   // a file for standard input; /dev/null when empty
	std::string cwd;     // the test's own when empty
	std::string target;  // for output_to::append and output_to::truncate
};

run_result run_program(const std::string &program, const std::vector<std::string> &args,
                       const run_options &options = {});
// The words run_program starts program with.
std::vector<std::string> program_command(const std::string &program);
