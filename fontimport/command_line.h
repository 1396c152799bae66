// font2zirk's command line.
#pragma once

#include "placement.h"
#include "sources.h"

#include "../toolkit/command_line.h"

#include <optional>
#include <string>
#include <vector>

struct import_options {
	std::vector<std::string> paths;  // the first has the glyphs most wanted
	unsigned size = 0;               // 0: none asked for
	std::string charset = "ISO-8859-1";
	std::optional<std::string> map;    // a code map file over the charset
	std::vector<number_range> pieces;  // of --range; none given: empty
	bool report = false;
	alignment align = alignment::baseline;
	placement_options placement;
};

// Ends the run with a message on a bad command line, with status 0 for
// --help and --version.
import_options parse_options(int argc, char **argv);
