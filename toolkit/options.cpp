#include "options.h"

#include "fatal.h"
#include "output.h"

#include <cstdlib>
#include <string>

#ifndef KORVANE_VERSION
#error "the build defines KORVANE_VERSION"
#endif

[[noreturn]] void show_version(std::string_view program)
{
	write_stdout(std::string(program) + " (korvane) " KORVANE_VERSION "\n");
	finish_stdout();
	std::exit(EXIT_SUCCESS);
}

[[noreturn]] void show_help(std::string_view text)
{
	write_stdout(text);
	finish_stdout();
	std::exit(EXIT_SUCCESS);
}

[[noreturn]] void usage_error(const char *program, std::string_view message)
{
	const std::string name(program);
	fatal(name + ": " + std::string(message) + "\nTry '" + name + " --help' for more information.");
}
