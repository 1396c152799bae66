// Where everything goes on the sheet. Positions and sizes are in
// sheet pixels; the image draws each as scale by scale pixels.
#pragma once

#include "caption.h"
#include "zirkfile.h"

#include <cstdint>
#include <optional>
#include <vector>

// No side longer than 16384 pixels and no more than 100 million pixels in
// all: within what image viewers and browsers open.
inline constexpr std::uint64_t MAX_SIDE = 16384;
inline constexpr std::uint64_t MAX_PIXELS = 100'000'000;

// The caption font's glyphs sit in cells one pixel wider; lines of text two
// pixels further apart than its height.
inline constexpr unsigned TEXT_ADVANCE = 6;
inline constexpr unsigned TEXT_HEIGHT = 9;
inline constexpr unsigned LINE_PITCH = TEXT_HEIGHT + 2;

inline constexpr unsigned GLYPHS_PER_ROW = 16;

// One font's part of the sheet: its caption, then its glyphs in rows of 16,
// each glyph in a framed cell as wide as the font's widest glyph. A row
// holds the codes from a multiple of 16 on, each code in column code % 16,
// and is labelled with that multiple: 0x00, 0x10... whatever the first code.
struct font_block {
	const font_record *font = nullptr;  // none for the note on an empty container
	std::vector<caption_line> caption;
	// Where each glyph of the range begins in the font's stored block, by
	// the geometry, and where the last one ends.
	std::vector<std::uint32_t> offsets;
	unsigned cell_width = 0;  // the widest glyph
	unsigned grid_top = 0;    // below the caption, from the block's top
	unsigned rows = 0;        // of glyphs
	unsigned first_row = 0;   // the code of the first row's column 0
	unsigned row_pitch = 0;   // from the top of one row of cells to the next
	unsigned x = 0, y = 0;    // the block's top left corner on the sheet
	unsigned width = 0, height = 0;
};

// The label in front of each row of glyphs, and the space after it.
inline constexpr unsigned LABEL_WIDTH = 4 * TEXT_ADVANCE + 4;

struct sheet {
	std::vector<font_block> blocks;  // in container order, in columns
	unsigned width = 0, height = 0;
	unsigned scale = 1;
};

// The fonts as blocks, each numbered as in the container; not yet placed.
font_block block_for(const font_record &font, unsigned number);
// The sheet of a container without fonts: a caption that says so.
font_block empty_container_block();

// Places the blocks one below the other, starting a new column where a
// column would grow too tall for the picture, and picks the largest scale
// up to max_scale at which the picture stays within MAX_SIDE and
// MAX_PIXELS. None when even scale 1 is too large.
std::optional<sheet> lay_out(std::vector<font_block> blocks, unsigned max_scale);
