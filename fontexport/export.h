// What zirk2bdf and zirk2psf share: their common options, the one font of
// the container they write, what each code stands for, and the glyphs as
// other formats take them (padding cleared, a short block's lack blank,
// centred in a cell).
#pragma once

#include "charmap.h"
#include "command_line.h"
#include "zirkfile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct export_options {
	std::string path = "-";
	unsigned font = 0;  // 0: none asked for
	std::string charset = "ISO-8859-1";
	std::optional<std::string> map;
	std::optional<unsigned> descent;  // zirk2bdf's --descent
};

// The options both programs take, then zirk2bdf's --descent.
extern const std::array<option_syntax, 4> EXPORT_OPTIONS;
// A program's help: about (from "Usage: " to what it writes), the lines
// both programs share, then own_options, the lines of those it alone takes.
std::string export_help(std::string_view about, std::string_view own_options);
// By the program's syntax, made of EXPORT_OPTIONS.
export_options parse_export_options(int argc, char **argv);

// The characters each code stands for, by --charset and --map, each
// character at the one code that owns it.
code_map export_labels(const export_options &options);

// What a font's record holds that the written font does not carry.
struct export_losses {
	unsigned padded_glyphs = 0;  // with bits set beyond their width
	std::uint32_t surplus = 0;   // block bytes beyond what the glyphs need
	std::uint32_t missing = 0;   // glyph bytes a short block lacks
	std::uint64_t trailing = 0;  // bytes after the last record
};

struct chosen_font {
	font_record record;
	unsigned number = 0;
	std::string path;  // as messages show it
	export_losses losses;
};

// Reads the container up to the font --font names (the only one there is
// when it names none), and past it only to count the bytes after it when it
// is the last. A container of several fonts without --font is a usage error.
chosen_font read_chosen_font(const export_options &options);

// One glyph's rows, (width + 7) / 8 bytes each, with bits beyond the width
// cleared and bytes a short block lacks left blank.
std::vector<unsigned char> glyph_rows(const font_record &font, unsigned code);
// Counts what glyph_rows drops: glyphs with padding bits set, surplus and
// missing bytes.
void count_losses(const font_record &font, export_losses &losses);
struct glyph_box {
	unsigned width;
	unsigned height;
};
// The glyph moved into a cell of cell_width columns, centred, the odd
// column on the right.
std::vector<unsigned char> centred_rows(std::span<const unsigned char> rows, glyph_box box, unsigned cell_width);

// Columns of the widest glyph of the range; 0 for an empty font.
unsigned widest_glyph(const font_record &font);

// A written font on standard output, then its summary on standard error.
void write_font(const std::string &bytes, const std::string &summary);

// "font 2 \"Name\"" for the summary.
std::string font_title(const chosen_font &chosen);
// "; not carried: ..." and the like, empty when nothing was lost.
std::string losses_text(const export_losses &losses);
