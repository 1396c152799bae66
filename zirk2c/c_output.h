// The C that zirk2c writes: the source that defines a container's bytes and
// code map, and the header that declares them with an enum of the fonts.
#pragma once

#include "zirkfont.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What the comment at the top says of a font.
struct font_summary {
	std::string name;  // as stored, up to the first zero byte
	bool proportional = false;
	unsigned narrowest = 0, widest = 0;  // the glyphs' widths; the cell's for a fixed font
	unsigned height = 0;
	unsigned first_char = 0, last_char = 0;
};

struct c_fonts {
	std::string ident;
	std::span<const unsigned char> bytes;  // the container, every byte
	std::vector<font_summary> fonts;
	zf_charmap map;
};

// Both go to standard output.
void write_source(const c_fonts &c);
void write_header(const c_fonts &c);
