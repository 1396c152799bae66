#include "run_program.h"

#ifndef KORVANE_PROGRAM_DIR
#error "the build defines KORVANE_PROGRAM_DIR and KORVANE_TEST_WRAPPER"
#endif

std::vector<std::string> program_command(const std::string &program)
{
	// The wrapper's words, joined by '|' in the build.
	std::vector<std::string> words;
	// "" only in a build without a wrapper: the value is the build's, and
	// not a redundant initialisation.
	const std::string wrapper = KORVANE_TEST_WRAPPER;  // NOLINT(readability-redundant-string-init)
	for (std::size_t at = 0; at < wrapper.size();) {
		const std::size_t bar = wrapper.find('|', at);
		words.push_back(wrapper.substr(at, bar - at));
		at = bar == std::string::npos ? wrapper.size() : bar + 1;
	}
	words.push_back(std::string(KORVANE_PROGRAM_DIR) + "/" + program);
	return words;
}

run_result run_program(const std::string &program, const std::vector<std::string> &args, const run_options &options)
{
	return run_command(program_command(program), args, options.out, options.cwd, options.input, options.target);
}
