// zirk2png's command line.
#pragma once

#include "../toolkit/command_line.h"

#include <optional>
#include <string>

inline constexpr unsigned DEFAULT_SCALE = 3;
inline constexpr unsigned MAX_SCALE = 32;

struct sheet_options {
	unsigned scale = DEFAULT_SCALE;  // the most; a picture too large is drawn smaller
	font_choice fonts;               // every font when none is given
	std::string path = "-";
	// --text draws this, in UTF-8, instead of the sheet; --wrap wraps it.
	std::optional<std::string> text;
	std::optional<unsigned> wrap;
	std::string charset = "ISO-8859-1";
	std::optional<std::string> map;
};

// Parses the arguments; --help, --version and every mistake end the run.
sheet_options parse_options(int argc, char **argv);

// Tells standard error when the picture is drawn smaller than --scale asks.
void note_scale(const sheet_options &options, unsigned used);
