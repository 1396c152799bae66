// What a toolkit program says on standard error. Every line begins with the
// program's name, and a line about a file continues with the file as given
// ("-" for standard input). A fault ends the run with status 1.
#pragma once

#include <string_view>

// Set once, by parse_command_line, before anything can go wrong.
void set_program_name(const char *name);
const char *program_name();

// "PROGRAM: WHAT"
[[noreturn]] void fatal(std::string_view what);
// "PROGRAM: FILE: WHAT"
[[noreturn]] void file_fatal(std::string_view path, std::string_view what);
// "PROGRAM: FILE: " and the system's words for error (an errno value).
[[noreturn]] void system_fatal(std::string_view path, int error);
// "FILE:LINE: error: WHAT", the form editors jump to, for faults in a text
// a person wrote.
[[noreturn]] void text_fatal(std::string_view path, unsigned line, std::string_view what);
// "PROGRAM: WHAT", then the pointer to --help.
[[noreturn]] void usage_error(std::string_view what);
// "PROGRAM: WHAT", and the run goes on: summaries and the like. Standard
// error refusing it changes nothing about the output.
void note(std::string_view what);
