#include "draw.h"

#include "caption.h"

#include <algorithm>

// Row line of a text drawn at out; the caption font holds printable ASCII,
// which is all a caption holds.
static void draw_text(const font_record &font, const std::string &text, unsigned line, colour shade, unsigned char *out)
{
	const font_header &h = font.header;
	if (line >= h.height)
		return;
	const unsigned width = std::min(unsigned{h.fixed_width}, TEXT_ADVANCE);
	const unsigned row_bytes = row_bytes_for_width(h.fixed_width);
	for (const char c : text) {
		const auto code = static_cast<unsigned char>(c);
		if (code >= h.first_char && code <= h.last_char) {
			const std::size_t glyph = std::size_t{code} - h.first_char;
			const std::size_t at = (glyph * h.height + line) * row_bytes;
			if (at + row_bytes <= font.bitmap.size())
				for (unsigned i = 0; i < width; i++)
					if (row_bit(&font.bitmap[at], i))
						out[i] = shade;
		}
		out += TEXT_ADVANCE;
	}
}

// Row line of one glyph, as stored: set and clear bits, and the bits of
// bytes the file does not hold.
static void draw_glyph_row(const font_block &b, unsigned index, unsigned line, unsigned char *out)
{
	const font_record &font = *b.font;
	const unsigned width = glyph_width(font, font.header.first_char + index);
	const std::size_t row_start = b.offsets[index] + std::size_t{line} * row_bytes_for_width(width);
	const std::size_t held = font.bitmap.size();
	for (unsigned x = 0; x < width; x++) {
		const std::size_t at = row_start + x / 8;
		out[x] = at >= held ? MISSING : row_bit(&font.bitmap[at], x % 8) ? INK : PAPER;
	}
}

// Row y of the block's grid of glyphs, from the grid's top. Only the
// codes of the font's range have cells.
static void draw_grid_row(const font_block &b, const font_record &caption_font, unsigned y, unsigned char *out)
{
	const unsigned row = y / b.row_pitch;
	const unsigned in_row = y % b.row_pitch;
	const unsigned row_code = b.first_row + row * GLYPHS_PER_ROW;
	if (in_row >= 1)
		draw_text(caption_font, hex_code(row_code), in_row - 1, TEXT, out);

	const font_header &h = b.font->header;
	// The frame's rows: above the glyphs' first and below their last.
	const unsigned frame_bottom = unsigned{h.height} + 1;
	if (in_row > frame_bottom)
		return;
	const unsigned first = std::max<unsigned>(row_code, h.first_char) - row_code;
	const unsigned last = std::min<unsigned>(row_code + GLYPHS_PER_ROW - 1, h.last_char) - row_code;
	unsigned char *grid = out + LABEL_WIDTH;
	const std::size_t pitch = b.cell_width + 1;
	if (in_row == 0 || in_row == frame_bottom) {
		std::fill(grid + first * pitch, grid + (last + 1) * pitch + 1, FRAME);
		return;
	}
	for (unsigned i = first; i <= last; i++) {
		grid[i * pitch] = FRAME;
		draw_glyph_row(b, row_code + i - h.first_char, in_row - 1, grid + i * pitch + 1);
	}
	grid[(last + 1) * pitch] = FRAME;
}

static void draw_block_row(const font_block &b, const font_record &caption_font, unsigned y, unsigned char *out)
{
	const unsigned line = y / LINE_PITCH;
	if (line < b.caption.size()) {
		const caption_line &c = b.caption[line];
		draw_text(caption_font, c.text, y % LINE_PITCH, c.note ? NOTE : TEXT, out);
	} else if (b.rows > 0 && y >= b.grid_top) {
		draw_grid_row(b, caption_font, y - b.grid_top, out);
	}
}

void draw_row(const sheet &sheet, const font_record &caption_font, unsigned y, std::vector<unsigned char> &row)
{
	std::fill(row.begin(), row.end(), BACKGROUND);
	for (const font_block &b : sheet.blocks)
		if (y >= b.y && y < b.y + b.height)
			draw_block_row(b, caption_font, y - b.y, &row[b.x]);
}
