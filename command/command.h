// The join command: the validation pass, then the join pass.
#pragma once

[[noreturn]] void show_usage();
unsigned count_fonts(int count, char *const paths[]);
void write_container_header(unsigned total);
void join_fonts(int count, char *const paths[], unsigned total);

void set_binary_output();
void set_binary_input();
bool output_is_terminal();
// Whether path names the regular file that standard output writes to.
bool output_is_file(const char *path);
