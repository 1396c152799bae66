// What the font2zirk tests share: reading the one font it writes, and
// reading BDF as pcf2bdf writes it.
#pragma once

#include "font_builder.h"
#include "run_program.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The one font of a container font2zirk wrote. Fails the test on a
// container of any other shape.
struct made_font {
	std::string name;  // up to the first zero byte
	char spacing = 0;
	unsigned fixed_width = 0;
	unsigned height = 0;
	unsigned first = 0;
	unsigned last = 0;
	std::vector<unsigned> widths;  // for P
	std::string bitmap;

	unsigned width(unsigned code) const;
	// The glyph's rows, @ for ink and . for none.
	std::vector<std::string> rows(unsigned code) const;
};
made_font read_made_font(const std::string &container);

// The properties and glyphs of BDF text as pcf2bdf writes it.
bdf_font parse_bdf(const std::string &text);

// Where font2zirk draws a BDF glyph: in a cell of width columns whose
// baseline lies `above` rows from the top, height rows in all, its origin
// at column origin. Ink outside is left out.
std::vector<std::string> cell_rows(const bdf_glyph &g, int above, unsigned height, unsigned width, int origin = 0);

// Runs a shell command and returns its standard output; empty on failure.
std::string command_output(const std::string &command);

// A case's name from its description, in the suite's style: lower case,
// anything but a letter or digit an underscore.
std::string test_name(const std::string &what);
