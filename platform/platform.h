// What only the platform can answer: what standard output is, and whether
// a path names the same file. Defined in platform.cpp.
#pragma once

void set_binary_output();
void set_binary_input();
bool output_is_terminal();
// Whether path names the regular file that standard output writes to.
bool output_is_file(const char *path);
// Whether standard input reads the regular file standard output writes to.
bool output_is_standard_input();
