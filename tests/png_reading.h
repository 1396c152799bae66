// PNG images read back with libpng, so that the tests can look at the
// pixels zirk2png drew rather than at bytes, which vary with zlib.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct colour_value {
	std::uint8_t red, green, blue;
	bool operator==(const colour_value &) const = default;
};

// The sheet's colours, as the manual page gives them.
inline constexpr colour_value WHITE{255, 255, 255};    // background
inline constexpr colour_value INK{0, 0, 0};            // a set bit
inline constexpr colour_value PAPER{236, 230, 206};    // a clear bit
inline constexpr colour_value MISSING{240, 112, 112};  // a bit the file lacks
inline constexpr colour_value FRAME{150, 150, 150};    // cell edges
inline constexpr colour_value TEXT{32, 48, 120};       // captions, labels
inline constexpr colour_value NOTE_TEXT{176, 0, 0};    // what is wrong with a font

struct picture {
	unsigned width = 0;
	unsigned height = 0;
	std::vector<colour_value> pixels;  // row by row, from the top left
	unsigned bit_depth = 0;            // as the header says
	unsigned colour_type = 0;
	std::string error;  // what libpng said, when it could not read the bytes

	const colour_value &at(unsigned x, unsigned y) const { return pixels[std::size_t{y} * width + x]; }
	std::size_t count(const colour_value &c) const;
};

picture read_png(const std::string &bytes);

// The smallest rectangle holding every pixel of a glyph colour (ink,
// paper, missing); empty (width 0) when there is none.
struct box {
	unsigned x = 0, y = 0, width = 0, height = 0;
};
box glyph_box(const picture &p);
// The pixels of a rectangle, one string a row: '@' ink, '.' paper, '?'
// missing, '|' frame, ' ' background, 't' text, 'n' note text.
std::vector<std::string> pixel_rows(const picture &p, const box &b);
