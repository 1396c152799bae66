// The join command: the validation pass, then the join pass.
#pragma once

#include "../platform/platform.h"

[[noreturn]] void show_usage();
unsigned count_fonts(int count, char *const paths[]);
void write_container_header(unsigned total);
void join_fonts(int count, char *const paths[], unsigned total);
