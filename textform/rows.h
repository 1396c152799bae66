// Glyph rows of the text form into the bytes of a font's block: '@' a set
// pixel, '.' a clear one, '?' a byte the block does not hold, and after a
// '|' the bits set beyond the glyph's width.
#pragma once

#include "lines.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The most bytes a stored bitmap_size counts.
inline constexpr std::size_t MAX_BLOCK = 0xffff;

class glyph_block {
public:
	// font_number names the font in messages, as the text numbers it.
	glyph_block(std::vector<unsigned char> &bytes, unsigned font_number) : bytes_(bytes), font_(font_number) {}

	// The common row, exactly as wide as its glyph and of nothing but '@'
	// and '.', taken at speed; false leaves any other to row().
	bool plain_row(std::string_view line, unsigned width);
	// Any other row, checked; a fault ends the run at the current line.
	void row(const text_lines &at, std::string_view line, unsigned code, unsigned width);
	// Whether a glyph byte was '?': every later one must be too, and the
	// block has no surplus.
	bool missing() const { return missing_; }
	// After bytes given in hex were added beyond the glyphs.
	void check_surplus(const text_lines &at) const;

private:
	void check_size(const text_lines &at, std::string_view hint) const;

	std::vector<unsigned char> &bytes_;
	unsigned font_;
	bool missing_ = false;
};
