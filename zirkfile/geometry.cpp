#include "zirkfile.h"

unsigned glyph_width(const font_record &font, unsigned code)
{
	if (has_width_table(font.header))
		return font.widths[code - font.header.first_char];
	return font.header.fixed_width;
}

std::uint32_t glyph_bytes(const font_record &font, unsigned code)
{
	return row_bytes_for_width(glyph_width(font, code)) * std::uint32_t{font.header.height};
}

std::uint32_t glyph_offset(const font_record &font, unsigned code)
{
	std::uint32_t offset = 0;
	for (unsigned c = font.header.first_char; c < code; c++)
		offset += glyph_bytes(font, c);
	return offset;
}

std::uint32_t geometry_length(const font_record &font)
{
	return glyph_offset(font, unsigned{font.header.last_char} + 1);
}

bool korvane_takes(const font_record &font)
{
	return korvane_accepts(font.header.height, geometry_length(font));
}
