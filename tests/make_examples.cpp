// make_examples <dir>: writes the example containers into dir, byte for byte.
// Its messages go to standard error unchecked; the status tells in any case.
#include "example_fonts.h"

#include <cstdio>
#include <exception>
#include <fstream>

int main(int argc, char **argv)
{
	if (argc != 2) {
		(void)std::fputs("usage: make_examples <dir>\n", stderr);
		return 1;
	}
	try {
		for (const example_file &f : example_files()) {
			const std::string path = std::string(argv[1]) + "/" + f.name;
			std::ofstream out(path, std::ios::binary | std::ios::trunc);
			out.write(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size()));
			out.close();
			if (!out) {
				(void)std::fprintf(stderr, "make_examples: cannot write %s\n", path.c_str());
				return 1;
			}
		}
	} catch (const std::exception &e) {
		(void)std::fprintf(stderr, "make_examples: %s\n", e.what());
		return 1;
	}
	return 0;
}
