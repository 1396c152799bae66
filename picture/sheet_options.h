// zirk2png's command line.
#pragma once

#include "../toolkit/command_line.h"

#include <string>

inline constexpr unsigned DEFAULT_SCALE = 3;
inline constexpr unsigned MAX_SCALE = 32;

struct sheet_options {
	unsigned scale = DEFAULT_SCALE;  // the most; a picture too large is drawn smaller
	font_choice fonts;               // every font when none is given
	std::string path = "-";
};

// Parses the arguments; --help, --version and every mistake end the run.
sheet_options parse_options(int argc, char **argv);
