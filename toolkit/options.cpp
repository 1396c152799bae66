#include "options.h"

#include "fatal.h"
#include "output.h"

#include <cstdlib>
#include <getopt.h>
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

[[noreturn]] void unrecognized_option(const char *program, char *const argv[])
{
	std::string message = "unrecognized option '";
	if (optopt != 0)
		message.append(1, '-').append(1, static_cast<char>(optopt));
	else
		message.append(argv[optind - 1]);
	usage_error(program, message.append(1, '\''));
}
