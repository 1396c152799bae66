// BDF 2.1. zirk keeps no baseline, so every glyph's box is its whole cell,
// standing the same rows below the baseline: no row is lost, and the font
// reads back into the same cells.
#include "writers.h"

#include "baseline.h"
#include "messages.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// X11 sizes at 72 dots per inch make a point a pixel: no rounding anywhere.
constexpr unsigned RESOLUTION = 72;
constexpr char32_t SPACE = 0x20;
constexpr unsigned NO_CHARACTER = 0xffffffff;
// PCF encodes a glyph in two bytes: bdftopcf drops or garbles any above.
constexpr unsigned LAST_PCF_CHARACTER = 0xffff;

struct bdf_glyph {
	unsigned code;
	unsigned width;
	unsigned character;  // NO_CHARACTER: left unencoded
};

std::string hex_number(unsigned value, int digits)
{
	std::array<char, 16> text{};
	const int n = std::snprintf(text.data(), text.size(), "%0*X", digits, value);
	return std::string(text.data(), static_cast<std::size_t>(n));
}

// Built piece by piece: GCC 12 at -O3 takes "uni" + std::string for an
// overlapping copy.
std::string glyph_name(const bdf_glyph &g)
{
	std::string name;
	if (g.character == NO_CHARACTER)
		return name.append("code").append(hex_number(g.code, 2));
	// Names as the Adobe Glyph List spells them, past the BMP too.
	if (g.character < 0x10000)
		return name.append("uni").append(hex_number(g.character, 4));
	return name.append("u").append(hex_number(g.character, 5));
}

// A string property: BDF doubles a quote inside it.
std::string quoted(const std::string &text)
{
	std::string out = "\"";
	for (const char c : text)
		out += c == '"' ? std::string("\"\"") : std::string(1, c);
	return out + "\"";
}

// An XLFD field holds no hyphen, wildcard, comma or quote, and only
// printable ASCII.
std::string xlfd_field(const std::string &text)
{
	std::string field = text;
	for (char &c : field)
		if (c < 0x20 || c > 0x7e || c == '-' || c == '?' || c == '*' || c == ',' || c == '"')
			c = '_';
	return field;
}

// The glyphs written, each encoded by the first character its code owns.
std::vector<bdf_glyph> choose_glyphs(const font_record &font, const code_map &labels)
{
	std::vector<bdf_glyph> glyphs;
	for (unsigned code = font.header.first_char; code <= font.header.last_char; code++) {
		const unsigned width = glyph_width(font, code);
		if (has_width_table(font.header) && width == 0)
			continue;
		glyphs.push_back({code, width, labels[code].empty() ? NO_CHARACTER : unsigned{labels[code].front()}});
	}
	return glyphs;
}

bool is_digit(char c)
{
	return c >= '0' && c <= '9';
}

// The name without the size it ends in, when that size is the height: a
// BDF family names no size ("Terminus 16", "Terminus-16" and "Terminus16"
// are "Terminus"), and font2zirk names a font by its family and size. A
// cell such as "8x16", or a name that is only a number, stays whole.
std::string family_name(const std::string &name, unsigned height)
{
	std::size_t digits = name.size();
	while (digits > 0 && is_digit(name[digits - 1]))
		digits--;
	std::size_t end = digits;
	if (end > 0 && (name[end - 1] == ' ' || name[end - 1] == '-'))
		end--;
	const bool cell = digits >= 2 && name[digits - 1] == 'x' && is_digit(name[digits - 2]);
	if (digits == name.size() || end == 0 || cell || name.substr(digits) != std::to_string(height))
		return name;
	return name.substr(0, end);
}

// The baseline's rows below as the shared rule guesses them; none where the
// font has no glyph to guess by.
std::optional<unsigned> guess_descent(const font_record &font, const std::vector<bdf_glyph> &glyphs)
{
	baseline_votes votes;
	for (const bdf_glyph &g : glyphs) {
		const std::vector<unsigned char> rows = glyph_rows(font, g.code);
		const unsigned row_bytes = row_bytes_for_width(g.width);
		// The last set byte lies in the bottom ink row.
		const auto last = std::find_if(rows.rbegin(), rows.rend(), [](unsigned char b) { return b != 0; });
		if (last != rows.rend() && g.character != NO_CHARACTER)
			votes.add({g.character, static_cast<unsigned>(last - rows.rbegin()) / row_bytes});
	}
	return votes.descent();
}

void line(std::string &out, const std::string &text)
{
	out += text;
	out += '\n';
}

// One glyph: its box is the whole cell, offset rows below the baseline.
void append_glyph(std::string &out, const font_record &font, const bdf_glyph &g, const std::string &offset)
{
	const unsigned height = font.header.height;
	const std::string width = std::to_string(g.width);
	line(out, "STARTCHAR " + glyph_name(g));
	line(out, g.character == NO_CHARACTER ? "ENCODING -1 " + std::to_string(g.code)
	                                      : "ENCODING " + std::to_string(g.character));
	// The advance in thousandths of the point size.
	line(out, "SWIDTH " + std::to_string(height == 0 ? 0 : (g.width * 1000 + height / 2) / height) + " 0");
	line(out, "DWIDTH " + width + " 0");
	// A glyph of no columns has no rows to write either.
	const unsigned rows_written = g.width == 0 ? 0 : height;
	line(out, "BBX " + width + " " + std::to_string(rows_written) + " " + offset);
	line(out, "BITMAP");
	const std::vector<unsigned char> rows = glyph_rows(font, g.code);
	const unsigned row_bytes = row_bytes_for_width(g.width);
	for (unsigned y = 0; y < rows_written; y++) {
		std::string hex;
		for (unsigned i = 0; i < row_bytes; i++)
			append_hex_byte(hex, rows[std::size_t{y} * row_bytes + i]);
		line(out, hex);
	}
	line(out, "ENDCHAR");
}

}  // namespace

written_font bdf_font(const chosen_font &chosen, const code_map &labels, std::optional<unsigned> descent)
{
	const font_record &font = chosen.record;
	const unsigned height = font.header.height;
	const std::vector<bdf_glyph> glyphs = choose_glyphs(font, labels);
	if (descent && *descent > height)
		usage_error("--descent " + std::to_string(*descent) + ": " + font_title(chosen) + " is " +
		            plural(height, "row", "rows") + " high");
	const std::optional<unsigned> guessed = descent ? descent : guess_descent(font, glyphs);
	const unsigned below = guessed.value_or(0);
	const std::string below_text = std::to_string(below);
	const std::string offset = below == 0 ? "0 0" : "0 -" + below_text;

	unsigned widest = 0;
	std::uint64_t total_width = 0;
	unsigned unencoded = 0;
	unsigned astral = 0;
	bool space = false;
	for (const bdf_glyph &g : glyphs) {
		widest = std::max(widest, g.width);
		total_width += g.width;
		unencoded += g.character == NO_CHARACTER ? 1 : 0;
		astral += g.character != NO_CHARACTER && g.character > LAST_PCF_CHARACTER ? 1 : 0;
		space = space || g.character == SPACE;
	}
	const bool proportional = has_width_table(font.header);
	const std::string family = family_name(shown_name(font.header), height);
	const std::string size = std::to_string(height);
	const std::string points = std::to_string(height * 10);  // tenths of a point
	const std::string spacing = proportional ? "P" : "C";
	const std::string average =
		std::to_string(glyphs.empty() ? 0 : (total_width * 10 + glyphs.size() / 2) / glyphs.size());

	std::string out;
	line(out, "STARTFONT 2.1");
	line(out, "FONT -misc-" + xlfd_field(family) + "-Medium-R-Normal--" + size + "-" + points + "-72-72-" +
	                  spacing + "-" + average + "-ISO10646-1");
	line(out, "SIZE " + size + " " + std::to_string(RESOLUTION) + " " + std::to_string(RESOLUTION));
	line(out, "FONTBOUNDINGBOX " + std::to_string(widest) + " " + size + " " + offset);
	const std::vector<std::string> properties{
		"FOUNDRY \"misc\"",
		"FAMILY_NAME " + quoted(family),
		"WEIGHT_NAME \"Medium\"",
		"SLANT \"R\"",
		"SETWIDTH_NAME \"Normal\"",
		"ADD_STYLE_NAME \"\"",
		"PIXEL_SIZE " + size,
		"POINT_SIZE " + points,
		"RESOLUTION_X " + std::to_string(RESOLUTION),
		"RESOLUTION_Y " + std::to_string(RESOLUTION),
		"SPACING " + quoted(spacing),
		"AVERAGE_WIDTH " + average,
		"CHARSET_REGISTRY \"ISO10646\"",
		"CHARSET_ENCODING \"1\"",
		"FONT_ASCENT " + std::to_string(height - below),
		"FONT_DESCENT " + below_text,
	};
	line(out, "STARTPROPERTIES " + std::to_string(properties.size() + (space ? 1 : 0)));
	for (const std::string &p : properties)
		line(out, p);
	if (space)
		line(out, "DEFAULT_CHAR " + std::to_string(SPACE));
	line(out, "ENDPROPERTIES");
	line(out, "CHARS " + std::to_string(glyphs.size()));
	for (const bdf_glyph &g : glyphs)
		append_glyph(out, font, g, offset);
	line(out, "ENDFONT");

	std::string summary = font_title(chosen) + ": " + plural(glyphs.size(), "glyph", "glyphs") + ", " +
	                      (proportional ? "proportional" : "fixed") + ", ascent " + std::to_string(height - below) +
	                      ", descent " + below_text +
	                      (descent   ? ""
	                       : guessed ? " (guessed)"
	                                 : std::string(" (") + NO_BASELINE_GLYPH + " to guess by)");
	if (unencoded > 0)
		summary += "; " + plural(unencoded, "glyph", "glyphs") + " without a character, unencoded";
	summary += losses_text(chosen.losses);
	if (height == 0 || glyphs.empty())
		summary += "; warning: a font of no rows or no glyphs, which bdftopcf refuses";
	if (astral > 0)
		summary += "; warning: " + plural(astral, "glyph", "glyphs") +
		           " encoded past U+FFFF, which the BDF keeps but bdftopcf does not";
	return {std::move(out), summary};
}
