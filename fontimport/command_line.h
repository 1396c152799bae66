// font2zirk's command line.
#pragma once

#include "placement.h"

#include <string>

struct import_options {
	std::string path;
	unsigned size = 0;  // 0: none asked for
	std::string charset = "ISO-8859-1";
	bool range_given = false;
	placement_options placement;
};

// Ends the run with a message on a bad command line, with status 0 for
// --help and --version.
import_options parse_options(int argc, char **argv);
