#include "sheet.h"

#include <algorithm>

// Around the sheet, and between blocks.
static const unsigned MARGIN = 6;
static const unsigned BLOCK_GAP = 12;
// Between the caption and the first row of glyphs.
static const unsigned CAPTION_GAP = 3;

static unsigned text_width(const std::vector<caption_line> &lines)
{
	std::size_t widest = 0;
	for (const caption_line &line : lines)
		widest = std::max(widest, line.text.size());
	return static_cast<unsigned>(widest) * TEXT_ADVANCE;
}

font_block block_for(const font_record &font, unsigned number)
{
	const font_header &h = font.header;
	font_block b;
	b.font = &font;
	b.caption = caption_lines(font, number);
	const unsigned count = char_count(h);
	std::uint32_t offset = 0;
	for (unsigned i = 0; i < count; i++) {
		b.offsets.push_back(offset);
		offset += glyph_bytes(font, h.first_char + i);
		b.cell_width = std::max(b.cell_width, glyph_width(font, h.first_char + i));
	}
	b.offsets.push_back(offset);

	b.width = text_width(b.caption);
	b.height = static_cast<unsigned>(b.caption.size()) * LINE_PITCH;
	if (count == 0)
		return b;
	// A row of cells is framed above and below; rows lower than a label
	// are spaced out to fit it.
	b.first_row = h.first_char - h.first_char % GLYPHS_PER_ROW;
	b.rows = (h.last_char - b.first_row) / GLYPHS_PER_ROW + 1;
	const unsigned columns = b.rows == 1 ? h.last_char % GLYPHS_PER_ROW + 1 : GLYPHS_PER_ROW;
	b.row_pitch = std::max(unsigned{h.height} + 2, TEXT_HEIGHT + 1) + 1;
	b.grid_top = b.height + CAPTION_GAP;
	b.width = std::max(b.width, LABEL_WIDTH + columns * (b.cell_width + 1) + 1);
	b.height = b.grid_top + b.rows * b.row_pitch - 1;
	return b;
}

font_block empty_container_block()
{
	font_block b;
	b.caption = {{"The container holds no fonts."}};
	b.width = text_width(b.caption);
	b.height = LINE_PITCH;
	return b;
}

struct extent {
	unsigned width = 0;
	unsigned height = 0;
};

// Columns no taller than limit, where a block allows it.
static extent place(std::vector<font_block> &blocks, unsigned limit)
{
	unsigned x = MARGIN;
	unsigned y = MARGIN;
	unsigned column_width = 0;
	extent sheet;
	for (font_block &b : blocks) {
		if (y > MARGIN && y + b.height + MARGIN > limit) {
			x += column_width + BLOCK_GAP;
			y = MARGIN;
			column_width = 0;
		}
		b.x = x;
		b.y = y;
		y += b.height + BLOCK_GAP;
		column_width = std::max(column_width, b.width);
		sheet.height = std::max(sheet.height, b.y + b.height + MARGIN);
	}
	sheet.width = x + column_width + MARGIN;
	return sheet;
}

std::optional<sheet> lay_out(std::vector<font_block> blocks, unsigned max_scale)
{
	for (unsigned scale = max_scale; scale >= 1; scale--) {
		const extent e = place(blocks, static_cast<unsigned>(MAX_SIDE / scale));
		const std::uint64_t w = std::uint64_t{e.width} * scale;
		const std::uint64_t h = std::uint64_t{e.height} * scale;
		if (std::max(w, h) <= MAX_SIDE && w * h <= MAX_PIXELS)
			return sheet{std::move(blocks), e.width, e.height, scale};
	}
	return std::nullopt;
}
