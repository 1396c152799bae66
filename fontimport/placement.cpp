#include "placement.h"

#include "../toolkit/messages.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned MAX_WIDTH = 255;

// How far a glyph's ink reaches, in rows from the baseline: top is the
// height of its highest row's top edge, bottom that of its lowest row's
// bottom edge (negative below the baseline); any is false without ink.
struct ink_extent {
	int top = 0;
	int bottom = 0;
	bool any = false;
};

ink_extent extent_of(const glyph_image &g)
{
	ink_extent e;
	for (int y = 0; y < g.rows; y++)
		for (int x = 0; x < g.width; x++)
			if (g.ink(x, y)) {
				const int height_above = g.top - y;
				e.top = e.any ? std::max(e.top, height_above) : height_above;
				e.bottom = e.any ? std::min(e.bottom, height_above - 1) : height_above - 1;
				e.any = true;
			}
	return e;
}

bool is_control_code(const imported_font &font, const code_map &charset, unsigned code)
{
	if (font.own_codes)
		return is_control(code);
	return charset[code].empty() || is_control(charset[code].front());
}

struct cell_geometry {
	bool proportional = false;
	int width = 0;  // of a fixed cell; the widest glyph of a proportional font
	int above = 0;  // rows above the baseline
	int below = 0;  // rows below it
};

cell_geometry measure(const std::string &path, const imported_font &font, const placement_options &options)
{
	cell_geometry cell;
	cell.above = std::max(font.ascent, 0);
	cell.below = std::max(font.descent, 0);
	bool same_advance = true;
	bool any = false;
	int advance = 0;
	for (unsigned code = options.first; code <= options.last; code++) {
		const std::optional<glyph_image> &g = font.glyphs[code];
		if (!g)
			continue;
		same_advance = same_advance && (!any || g->advance == advance);
		advance = g->advance;
		any = true;
		cell.width = std::max(cell.width, g->advance);
		const ink_extent e = extent_of(*g);
		// Accents above the ascent are part of the glyph: cutting them off
		// would turn one letter into another.
		if (e.any && !options.clip) {
			cell.above = std::max(cell.above, e.top);
			cell.below = std::max(cell.below, -e.bottom);
		}
	}
	if (!any)
		file_fatal(path, "has no glyph for any code from " + std::to_string(options.first) + " to " +
		                         std::to_string(options.last));
	cell.proportional = options.spacing == spacing_choice::proportional ||
	                    (options.spacing == spacing_choice::automatic && !same_advance);
	return cell;
}

void check_cell(const std::string &path, const imported_font &font, const cell_geometry &cell,
                const placement_options &options)
{
	if (cell.width > static_cast<int>(MAX_WIDTH))
		file_fatal(
			path,
			"glyphs up to " + std::to_string(cell.width) +
				" pixels wide, more than the 255 a zirk font holds; a smaller --size would make them fit");
	const int height = cell.above + cell.below;
	if (height > static_cast<int>(MAX_HEIGHT)) {
		std::string hint = "a smaller --size";
		const int own = std::max(font.ascent, 0) + std::max(font.descent, 0);
		if (!options.clip && own <= static_cast<int>(MAX_HEIGHT))
			hint += ", or --clip to keep the font's own " + std::to_string(own) + " rows,";
		file_fatal(path, "the glyphs need " + std::to_string(height) +
		                         " rows, more than the 127 korvane takes; " + hint + " would make them fit");
	}
}

unsigned cell_width(const imported_font &font, const cell_geometry &cell, unsigned code)
{
	if (!cell.proportional)
		return static_cast<unsigned>(cell.width);
	return font.glyphs[code] ? static_cast<unsigned>(font.glyphs[code]->advance) : 0;
}

void check_size(const std::string &path, const imported_font &font, const cell_geometry &cell,
                const placement_options &options)
{
	const unsigned height = static_cast<unsigned>(cell.above + cell.below);
	std::uint32_t bytes = 0;
	unsigned fits_to = options.first;  // one past the last code that fits
	for (unsigned code = options.first; code <= options.last; code++) {
		bytes += row_bytes_for_width(cell_width(font, cell, code)) * height;
		if (bytes <= BITMAP_STORE_SIZE)
			fits_to = code + 1;
	}
	if (bytes <= BITMAP_STORE_SIZE)
		return;
	const std::string range = std::to_string(options.first) + "-" + std::to_string(options.last);
	std::string hint = "a smaller --size would make it fit";
	if (fits_to > options.first)
		hint = "a narrower --range (" + std::to_string(options.first) + "-" + std::to_string(fits_to - 1) +
		       " fits) or " + hint;
	file_fatal(path, "codes " + range + " need " + std::to_string(bytes) +
	                         " bitmap bytes, more than the 24600 korvane takes; " + hint);
}

// Draws one glyph into its cell; returns the ink pixels that fell outside.
std::uint64_t draw(const glyph_image &g, const cell_geometry &cell, unsigned width, unsigned char *out)
{
	const unsigned row_bytes = row_bytes_for_width(width);
	std::uint64_t clipped = 0;
	for (int y = 0; y < g.rows; y++)
		for (int x = 0; x < g.width; x++) {
			if (!g.ink(x, y))
				continue;
			const int row = cell.above - g.top + y;
			const int column = g.left + x;
			if (row < 0 || row >= cell.above + cell.below || column < 0 ||
			    column >= static_cast<int>(width)) {
				clipped++;
				continue;
			}
			const auto c = static_cast<unsigned>(column);
			out[static_cast<unsigned>(row) * row_bytes + c / 8] |=
				static_cast<unsigned char>(0x80U >> (c % 8));
		}
	return clipped;
}

}  // namespace

bool default_range(const imported_font &font, const code_map &charset, unsigned &first, unsigned &last)
{
	bool any = false;
	for (unsigned code = 0; code < CODES; code++) {
		if (!font.glyphs[code] || is_control_code(font, charset, code))
			continue;
		if (!any)
			first = code;
		last = code;
		any = true;
	}
	return any;
}

std::string record_name(const std::string &name)
{
	if (name.size() <= NAME_SIZE)
		return name;
	std::size_t cut = NAME_SIZE;
	// Back over continuation bytes to the start of the character cut in two.
	while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xc0U) == 0x80U)
		cut--;
	return name.substr(0, cut);
}

placed_font place_glyphs(const std::string &path, const imported_font &font, const placement_options &options)
{
	const cell_geometry cell = measure(path, font, options);
	check_cell(path, font, cell, options);
	check_size(path, font, cell, options);

	placed_font placed;
	font_header &h = placed.record.header;
	const std::string name = record_name(options.name.value_or(font.name));
	std::memcpy(h.name.data(), name.data(), name.size());
	h.spacing = cell.proportional ? PROPORTIONAL : 'F';
	h.fixed_width = static_cast<unsigned char>(cell.width);
	h.height = static_cast<unsigned char>(cell.above + cell.below);
	h.first_char = static_cast<unsigned char>(options.first);
	h.last_char = static_cast<unsigned char>(options.last);
	for (unsigned code = options.first; code <= options.last && cell.proportional; code++)
		placed.record.widths.push_back(static_cast<unsigned char>(cell_width(font, cell, code)));
	placed.record.bitmap.resize(geometry_length(placed.record));
	h.bitmap_size = static_cast<std::uint16_t>(placed.record.bitmap.size());

	for (unsigned code = options.first; code <= options.last; code++) {
		if (!font.glyphs[code]) {
			placed.missing += options.left_out[code] ? 0 : 1;
			continue;
		}
		placed.clipped += draw(*font.glyphs[code], cell, cell_width(font, cell, code),
		                       placed.record.bitmap.data() + glyph_offset(placed.record, code));
	}
	return placed;
}
