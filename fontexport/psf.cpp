// PSF2, the Linux console's font: a glyph for each of the 256 codes, in
// code order, and a Unicode table that tells the console which characters
// each glyph draws.
#include "writers.h"

#include "text.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t PSF2_MAGIC = 0x864ab572;
constexpr std::uint32_t PSF2_HEADER_SIZE = 32;
constexpr std::uint32_t PSF2_HAS_UNICODE_TABLE = 0x01;
constexpr char PSF2_SEPARATOR = '\xff';
// Most kernels load no larger glyph.
constexpr unsigned CONSOLE_LIMIT = 32;
// setfont and the other tools of the console read no larger file.
constexpr std::size_t FILE_LIMIT = 65536;

void append_u32(std::string &out, std::uint32_t value)
{
	for (unsigned shift = 0; shift < 32; shift += 8)
		out += static_cast<char>(static_cast<unsigned char>(value >> shift));
}

}  // namespace

written_font psf_font(const chosen_font &chosen, const code_map &labels)
{
	const font_record &font = chosen.record;
	const font_header &h = font.header;
	const bool proportional = has_width_table(h);
	const unsigned width = proportional ? widest_glyph(font) : h.fixed_width;
	const unsigned height = h.height;
	const std::uint32_t glyph_size = row_bytes_for_width(width) * height;

	std::string out;
	for (const std::uint32_t field :
	     {PSF2_MAGIC, std::uint32_t{0}, PSF2_HEADER_SIZE, PSF2_HAS_UNICODE_TABLE, std::uint32_t{CODES}, glyph_size,
	      std::uint32_t{height}, std::uint32_t{width}})
		append_u32(out, field);
	for (unsigned code = 0; code < CODES; code++) {
		if (code < h.first_char || code > h.last_char) {
			out.append(glyph_size, '\0');
			continue;
		}
		std::vector<unsigned char> rows = glyph_rows(font, code);
		if (proportional)
			rows = centred_rows(rows, {glyph_width(font, code), height}, width);
		out.append(rows.begin(), rows.end());
	}
	unsigned without = 0;
	for (unsigned code = 0; code < CODES; code++) {
		for (const char32_t c : labels[code])
			append_utf8(out, c);
		out += PSF2_SEPARATOR;
		without += labels[code].empty() ? 1 : 0;
	}

	std::string summary = font_title(chosen) + ": 256 glyphs of " + std::to_string(width) + "x" +
	                      std::to_string(height) + ", " + plural(char_count(h), "code", "codes") + " from the font";
	if (proportional)
		summary += "; proportional, each glyph centred in a cell " + std::to_string(width) + " wide";
	if (without > 0)
		summary += "; " + plural(without, "code", "codes") + " without a character, with empty entries";
	summary += losses_text(chosen.losses);
	if (width == 0 || width > CONSOLE_LIMIT || height == 0 || height > CONSOLE_LIMIT)
		summary += "; warning: the Linux console loads glyphs 1 to 32 pixels wide and high";
	if (out.size() > FILE_LIMIT)
		summary +=
			"; warning: a file of " + std::to_string(out.size()) + " bytes, over the 64 KiB setfont reads";
	return {std::move(out), summary};
}
