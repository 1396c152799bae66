// zirk2png's command line.
#pragma once

#include <string>

inline constexpr unsigned DEFAULT_SCALE = 3;
inline constexpr unsigned MAX_SCALE = 32;

struct sheet_options {
	unsigned scale = DEFAULT_SCALE;  // the most; a picture too large is drawn smaller
	unsigned font = 0;               // 0 for every font, else the one to draw
	std::string path;                // empty or "-" for standard input
};

// Parses the arguments; --help, --version and every mistake end the run.
sheet_options parse_options(int argc, char **argv);
