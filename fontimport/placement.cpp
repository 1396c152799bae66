#include "placement.h"

#include "../toolkit/messages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <cstring>

namespace {

constexpr unsigned MAX_WIDTH = 255;

// Where a glyph's ink lies against its origin: columns from left up to
// (not including) right, and rows from the top edge of the highest, top,
// down to the bottom edge of the lowest, bottom, counted up from the
// baseline (negative below it). any is false without ink.
struct ink_extent {
	int left = 0;
	int right = 0;
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
				const int column = g.left + x;
				e.left = e.any ? std::min(e.left, column) : column;
				e.right = e.any ? std::max(e.right, column + 1) : column + 1;
				e.top = e.any ? std::max(e.top, height_above) : height_above;
				e.bottom = e.any ? std::min(e.bottom, height_above - 1) : height_above - 1;
				e.any = true;
			}
	return e;
}

// The columns a glyph takes: from the leftmost of its origin and its ink to
// the rightmost of its advance and its ink, the glyph moved right by shift
// so that the box starts at column 0. Clipped, the advance alone.
struct glyph_box {
	int shift = 0;
	int width = 0;
};

glyph_box box_of(const glyph_image &g, const ink_extent &e, bool clip)
{
	if (clip || !e.any)
		return {0, g.advance};
	const int left = std::min(0, e.left);
	return {-left, std::max(g.advance, e.right) - left};
}

bool is_control_code(const imported_font &font, const code_map &charset, unsigned code)
{
	if (font.own_codes)
		return is_control(code);
	return !charset[code].empty() && is_control(charset[code].front());
}

struct cell_geometry {
	bool proportional = false;
	int width = 0;  // of a fixed cell; the widest glyph of a proportional font
	int above = 0;  // rows above the baseline
	int below = 0;  // rows below it
	std::array<glyph_box, CODES> boxes{};
	unsigned widened = 0;  // glyphs whose box is wider than their advance
	bool clip = false;
};

cell_geometry measure(const std::string &path, const imported_font &font, const placement_options &options)
{
	cell_geometry cell;
	cell.clip = options.clip;
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
		const ink_extent e = extent_of(*g);
		// A bitmap font is drawn to be shown whole, and a small device has
		// no kerning to make up for a cut: the box holds all the ink.
		cell.boxes[code] = box_of(*g, e, options.clip);
		cell.width = std::max(cell.width, cell.boxes[code].width);
		cell.widened += cell.boxes[code].width > g->advance ? 1 : 0;
		// Accents above the ascent are part of the glyph: cutting them off
		// would turn one letter into another.
		if (e.any && !options.clip && !options.in_given_rows[code]) {
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

// "; A, B or C would make THEM fit", of the ways there are; nothing
// without one.
std::string fit_hint(const std::vector<std::string> &ways, const char *them)
{
	std::string hint;
	for (std::size_t i = 0; i < ways.size(); i++)
		hint += (i == 0 ? "; " : i + 1 == ways.size() ? " or " : ", ") + ways[i];
	return ways.empty() ? hint : hint + " would make " + them + " fit";
}

// The font's own rows, which --clip keeps.
int own_rows(const imported_font &font)
{
	return std::max(font.ascent, 0) + std::max(font.descent, 0);
}

int widest_advance(const imported_font &font, const placement_options &options)
{
	int widest = 0;
	for (unsigned code = options.first; code <= options.last; code++)
		if (font.glyphs[code])
			widest = std::max(widest, font.glyphs[code]->advance);
	return widest;
}

void check_cell(const std::string &path, const imported_font &font, const cell_geometry &cell,
                const placement_options &options)
{
	const std::string smaller_size = "a smaller --size";
	if (cell.width > static_cast<int>(MAX_WIDTH)) {
		std::vector<std::string> ways;
		if (!options.clip && widest_advance(font, options) <= static_cast<int>(MAX_WIDTH))
			ways.emplace_back("--clip to keep the font's advances");
		if (font.smaller_size)
			ways.push_back(smaller_size);
		file_fatal(path, "glyphs up to " + std::to_string(cell.width) +
		                         " pixels wide, more than the 255 a zirk font holds" + fit_hint(ways, "them"));
	}
	const int height = cell.above + cell.below;
	if (height > static_cast<int>(MAX_HEIGHT)) {
		std::vector<std::string> ways;
		if (!options.clip && own_rows(font) <= static_cast<int>(MAX_HEIGHT))
			ways.push_back("--clip to keep the font's own " + std::to_string(own_rows(font)) + " rows");
		if (font.smaller_size)
			ways.push_back(smaller_size);
		file_fatal(path, "the glyphs need " + std::to_string(height) +
		                         " rows, more than the 127 korvane takes" + fit_hint(ways, "them"));
	}
}

unsigned cell_width(const imported_font &font, const cell_geometry &cell, unsigned code)
{
	if (!cell.proportional)
		return static_cast<unsigned>(cell.width);
	return font.glyphs[code] ? static_cast<unsigned>(cell.boxes[code].width) : 0;
}

// The column of a glyph's box in its cell: centred in a fixed cell, the odd
// column on the right, except where clipping keeps every origin at 0.
int box_column(const cell_geometry &cell, unsigned width, const glyph_box &box)
{
	if (cell.proportional || cell.clip)
		return 0;
	return (static_cast<int>(width) - box.width) / 2;
}

struct bitmap_size {
	std::uint32_t bytes = 0;
	unsigned fits_to = 0;  // one past the last code that fits from the first
};

bitmap_size size_of(const imported_font &font, const cell_geometry &cell, const placement_options &options)
{
	const unsigned height = static_cast<unsigned>(cell.above + cell.below);
	bitmap_size size{0, options.first};
	for (unsigned code = options.first; code <= options.last; code++) {
		size.bytes += row_bytes_for_width(cell_width(font, cell, code)) * height;
		if (size.bytes <= BITMAP_STORE_SIZE)
			size.fits_to = code + 1;
	}
	return size;
}

void check_size(const std::string &path, const imported_font &font, const cell_geometry &cell,
                const placement_options &options)
{
	const bitmap_size size = size_of(font, cell, options);
	if (size.bytes <= BITMAP_STORE_SIZE)
		return;
	std::vector<std::string> ways;
	if (size.fits_to > options.first)
		ways.push_back("a narrower --range (" + std::to_string(options.first) + "-" +
		               std::to_string(size.fits_to - 1) + " fits)");
	if (!options.clip) {
		placement_options clipped = options;
		clipped.clip = true;
		const cell_geometry clipped_cell = measure(path, font, clipped);
		if (size_of(font, clipped_cell, clipped).bytes <= BITMAP_STORE_SIZE &&
		    clipped_cell.width <= static_cast<int>(MAX_WIDTH) &&
		    clipped_cell.above + clipped_cell.below <= static_cast<int>(MAX_HEIGHT))
			ways.emplace_back("--clip");
	}
	if (font.smaller_size)
		ways.emplace_back("a smaller --size");
	file_fatal(path, "codes " + std::to_string(options.first) + "-" + std::to_string(options.last) + " need " +
	                         std::to_string(size.bytes) + " bitmap bytes, more than the 24600 korvane takes" +
	                         fit_hint(ways, "it"));
}

// Draws one glyph into its cell; returns the ink pixels that fell outside.
std::uint64_t draw(const glyph_image &g, const cell_geometry &cell, const glyph_box &box, unsigned width,
                   unsigned char *out)
{
	const unsigned row_bytes = row_bytes_for_width(width);
	const int origin = box_column(cell, width, box) + box.shift;
	std::uint64_t clipped = 0;
	for (int y = 0; y < g.rows; y++)
		for (int x = 0; x < g.width; x++) {
			if (!g.ink(x, y))
				continue;
			const int row = cell.above - g.top + y;
			const int column = origin + g.left + x;
			if (row < 0 || row >= cell.above + cell.below || column < 0 ||
			    column >= static_cast<int>(width)) {
				clipped++;
				continue;
			}
			set_row_bit(out + static_cast<std::size_t>(row) * row_bytes, static_cast<unsigned>(column));
		}
	return clipped;
}

// The fixed cell --clip would keep, and the ink it would cut.
clip_alternative clipped_instead(const std::string &path, const imported_font &font, const placement_options &options)
{
	placement_options clipped = options;
	clipped.clip = true;
	clipped.spacing = spacing_choice::fixed;
	const cell_geometry cell = measure(path, font, clipped);
	const auto width = static_cast<unsigned>(cell.width);
	clip_alternative alternative{width, 0};
	std::vector<unsigned char> scratch(std::size_t{row_bytes_for_width(width)} *
	                                   static_cast<unsigned>(cell.above + cell.below));
	for (unsigned code = options.first; code <= options.last; code++)
		if (font.glyphs[code])
			alternative.cut += draw(*font.glyphs[code], cell, cell.boxes[code], width, scratch.data());
	return alternative;
}

// At most size bytes of text, never cut inside a UTF-8 character.
std::string utf8_prefix(const std::string &text, std::size_t size)
{
	if (text.size() <= size)
		return text;
	// Back over continuation bytes to the start of the character cut in two.
	while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xc0U) == 0x80U)
		size--;
	return text.substr(0, size);
}

// The file's name without its directory and the extensions of font files
// and of gzip.
std::string file_stem(const std::string &path)
{
	std::string name = std::filesystem::path(path).filename();
	for (;;) {
		const std::size_t dot = name.rfind('.');
		if (dot == std::string::npos || dot == 0)
			return name;
		std::string extension = name.substr(dot + 1);
		std::transform(extension.begin(), extension.end(), extension.begin(),
		               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
		const std::array<std::string_view, 11> known{"gz",  "bdf", "pcf", "psf", "psfu", "otb",
		                                             "ttf", "otf", "ttc", "fnt", "fon"};
		if (std::find(known.begin(), known.end(), extension) == known.end())
			return name;
		name.resize(dot);
	}
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

std::string default_name(const imported_font &font, const std::string &path)
{
	std::error_code error;
	if (font.described.empty() && path != "-" && std::filesystem::is_regular_file(path, error))
		return utf8_prefix(file_stem(path), NAME_SIZE);
	const std::string size = std::to_string(font.size);
	std::string name = utf8_prefix(font.described, NAME_SIZE - 1 - size.size());
	// A word cut short ends at a letter, not at the blank or hyphen before
	// the next.
	name.erase(name.find_last_not_of(" -") + 1);
	if (name.empty())
		name = "font";
	// Piece by piece: GCC 12 at -O3 takes " " + std::string for an
	// overlapping copy.
	return name.append(1, ' ').append(size);
}

placed_font place_glyphs(const std::string &path, const imported_font &font, const code_map &charset,
                         const placement_options &options)
{
	const cell_geometry cell = measure(path, font, options);
	check_cell(path, font, cell, options);
	check_size(path, font, cell, options);

	placed_font placed;
	font_header &h = placed.record.header;
	const std::string name = options.name.value_or(default_name(font, path));
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

	placed.widened = cell.widened;
	placed.clip = options.clip;
	for (unsigned code = options.first; code <= options.last; code++) {
		if (!font.glyphs[code]) {
			if (options.left_out[code])
				continue;
			placed.missing++;
			placed.missing_controls += is_control_code(font, charset, code) ? 1 : 0;
			continue;
		}
		const glyph_image &g = *font.glyphs[code];
		placed.cut[code] = draw(g, cell, cell.boxes[code], cell_width(font, cell, code),
		                        placed.record.bitmap.data() + glyph_offset(placed.record, code));
		placed.clipped += placed.cut[code];
		placed.ink_width[code] = static_cast<unsigned>(box_of(g, extent_of(g), false).width);
		placed.widened_glyph[code] = !options.clip && cell.boxes[code].width > g.advance;
	}
	if (!cell.proportional && !options.clip && placed.widened > 0)
		placed.with_clip = clipped_instead(path, font, options);
	return placed;
}
