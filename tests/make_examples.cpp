// make_examples <dir>: writes the example containers into dir, byte for byte.
#include "example_fonts.h"

int main(int argc, char **argv)
{
	return write_generated_files(argc, argv, [] {
		std::vector<generated_file> files;
		for (const example_file &f : example_files())
			files.push_back({f.name, f.bytes});
		return files;
	});
}
