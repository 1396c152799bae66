// The sheet's pixels, one row at a time, as indices into its palette.
#pragma once

#include "sheet.h"
#include "zirkfile.h"

#include <array>
#include <cstdint>
#include <vector>

// Each colour stands for one thing only, so that a picture can be read
// back: counting the ink pixels counts the set bits.
enum colour : unsigned char {
	BACKGROUND,  // around and between everything: white
	INK,         // a set bit: black
	PAPER,       // a clear bit: light cream
	MISSING,     // a glyph bit the file does not hold: light red
	FRAME,       // the edges of the cells: grey
	TEXT,        // captions and row labels: dark blue
	NOTE,        // what is wrong with a font: dark red
	COLOURS
};

struct rgb {
	std::uint8_t red, green, blue;
};

inline constexpr std::array<rgb, COLOURS> PALETTE{{
	{255, 255, 255},
	{0, 0, 0},
	{236, 230, 206},
	{240, 112, 112},
	{150, 150, 150},
	{32, 48, 120},
	{176, 0, 0},
}};

// Fills row (sheet.width entries) with row y of the sheet, drawing its text
// in caption_font.
void draw_row(const sheet &sheet, const font_record &caption_font, unsigned y, std::vector<unsigned char> &row);
