// What every toolkit program's command line shares: --help, --version, and
// the word on a bad option.
#pragma once

#include <string_view>

// "PROGRAM (korvane) VERSION" on standard output, then status 0.
[[noreturn]] void show_version(std::string_view program);
// The help text on standard output, then status 0.
[[noreturn]] void show_help(std::string_view text);
// "PROGRAM: MESSAGE" and a pointer to --help on standard error, status 1.
[[noreturn]] void usage_error(const char *program, std::string_view message);
// Where getopt_long stopped on an option it does not know: "PROGRAM:
// unrecognized option 'X'", as usage_error.
[[noreturn]] void unrecognized_option(const char *program, char *const argv[]);
