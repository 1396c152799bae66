// zirk2c's command line.
#pragma once

#include <optional>
#include <string>

struct c_options {
	std::string path = "-";
	std::string ident;  // --name, or the file's
	bool header = false;
	std::string charset = "ISO-8859-1";
	std::optional<std::string> map;
};

// Parses the arguments; --help, --version and every mistake end the run.
c_options parse_options(int argc, char **argv);
