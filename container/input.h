// Opening and reading input containers. Each input is opened, used and
// closed inside one operation; the handle closes itself on every way out.
#pragma once

#include "zirk.h"

#include <cstdio>
#include <memory>

// Inputs are only read, so a failing close loses nothing.
struct input_closer {
	void operator()(std::FILE *file) const { (void)std::fclose(file); }
};
using input_file = std::unique_ptr<std::FILE, input_closer>;

input_file open_input(const char *path);

// Reads up to size bytes and returns how many arrived. Only a clean end of
// file comes back short; a failing read (a directory, an I/O error) means the
// file cannot be read at all and ends the run.
std::size_t read_input(const input_file &file, void *bytes, std::size_t size);

// Passes over size bytes. Seeking beyond the end is no error here: the next
// read finds the end and the caller reports the truncation.
void skip_input(const input_file &file, long size);
