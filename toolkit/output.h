// Standard output of the toolkit programs: every byte checked on its way
// out, and binary data never sent to a terminal.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Refuses a terminal ("Error: will not write WHAT to a terminal") and puts
// standard output in binary mode. Call before the first byte is written.
void claim_binary_output(std::string_view what);
void write_stdout(const void *bytes, std::size_t size);
void write_stdout(std::string_view text);
void write_stdout(const std::vector<unsigned char> &bytes);
// Flushes and checks: a program reports success only after this returns.
void finish_stdout();
