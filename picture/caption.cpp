#include "caption.h"

#include "../toolkit/text.h"

#include <algorithm>

std::string hex_code(unsigned code)
{
	std::string text = "0x";
	append_hex_byte(text, static_cast<unsigned char>(code));
	return text;
}

// Anything the caption font cannot draw is shown as '?', as control bytes are.
static std::string drawn_name(const font_header &h)
{
	std::string name = shown_name(h);
	std::replace_if(
		name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7e; }, '?');
	return name;
}

static std::string spacing(const font_record &font)
{
	const font_header &h = font.header;
	const std::string high = std::to_string(h.height) + " high";
	if (!has_width_table(h))
		return "fixed, " + std::to_string(h.fixed_width) + " wide, " + high;
	if (font.widths.empty())
		return "proportional, " + high;
	const auto [narrowest, widest] = std::minmax_element(font.widths.begin(), font.widths.end());
	if (*narrowest == *widest)
		return "proportional, " + std::to_string(*widest) + " wide, " + high;
	return "proportional, " + std::to_string(*narrowest) + " to " + std::to_string(*widest) + " wide, " + high;
}

static std::string range(const font_header &h)
{
	const unsigned count = char_count(h);
	if (count == 0)
		return "no characters (first " + hex_code(h.first_char) + ", last " + hex_code(h.last_char) + ")";
	if (count == 1)
		return hex_code(h.first_char) + ", 1 character";
	return hex_code(h.first_char) + " to " + hex_code(h.last_char) + ", " + std::to_string(count) + " characters";
}

std::vector<caption_line> caption_lines(const font_record &font, unsigned number)
{
	const font_header &h = font.header;
	std::vector<caption_line> lines{
		{"Font " + std::to_string(number) + " \"" + drawn_name(h) + "\""},
		{spacing(font)},
		{range(h)},
	};
	const std::uint32_t needed = geometry_length(font);
	const std::uint32_t stored = h.bitmap_size;
	if (h.height > MAX_HEIGHT)
		lines.push_back({"korvane refuses it: height above 127", true});
	if (needed > BITMAP_STORE_SIZE)
		lines.push_back(
			{"korvane refuses it: the glyphs need " + std::to_string(needed) + " bytes, over 24600", true});
	if (stored < needed)
		lines.push_back({"the file holds " + std::to_string(stored) + " of the " +
		                         plural(needed, "byte", "bytes") + " the glyphs need",
		                 true});
	if (stored > needed)
		lines.push_back({plural(stored - needed, "byte", "bytes") + " after the glyphs, not drawn", true});
	return lines;
}
