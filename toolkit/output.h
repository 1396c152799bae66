// Standard output of the toolkit programs: every byte checked on its way
// out, binary data never sent to a terminal, and never into an input.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Refuses a terminal ("PROGRAM: will not write WHAT to a terminal") and
// puts standard output in binary mode. Call before the first byte is written.
void claim_binary_output(std::string_view what);
// Refuses, before anything is written, when standard output is the regular
// file path names ("-": the file standard input reads): the shell has
// emptied it already, or would append to it while it is read, and the
// program would read back what it writes.
void refuse_output_into(std::string_view path);
void write_stdout(const void *bytes, std::size_t size);
void write_stdout(std::string_view text);
void write_stdout(const std::vector<unsigned char> &bytes);
// Flushes and checks: a program reports success only after this returns.
void finish_stdout();
