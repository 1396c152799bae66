// The fonts in examples/: small containers with real glyphs, for users to try
// the tool on and for the tests to check a whole join against.
#pragma once

#include "zirk_builder.h"

#include <string>
#include <vector>

struct example_file {
	std::string name;              // file name inside examples/
	std::vector<test_font> fonts;  // in record order
	std::string bytes;             // the whole container
};

std::vector<example_file> example_files();
