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
// The help lines both programs share: after what the program writes, and
// after the options it alone takes.
inline constexpr char EXPORT_SHARED_HELP[] = R"(With no FILE, or when FILE is -, read standard input. A summary goes
to standard error.

  -f, --font N        the font to write, counting from 1 (needed when the
                      container holds more than one)
  -c, --charset NAME  what the codes mean, any one-byte charset iconv knows
                      (default ISO-8859-1)
  -m, --map FILE      what the codes mean, by a code map file over --charset
)";
inline constexpr char EXPORT_HELP_END[] = R"(  -h, --help          show this help and exit
      --version       show the version and exit
)";

// A program's help, joined when it is compiled: about (from "Usage: " to
// what it writes), the shared lines, own (the lines of the options it alone
// takes), the end.
template <std::size_t About, std::size_t Own>
constexpr auto export_help(const char (&about)[About], const char (&own)[Own])
{
	std::array<char, About + Own + sizeof EXPORT_SHARED_HELP + sizeof EXPORT_HELP_END - 4> help{};
	std::size_t at = 0;
	for (const std::string_view part : {std::string_view(about, About - 1), std::string_view(EXPORT_SHARED_HELP),
	                                    std::string_view(own, Own - 1), std::string_view(EXPORT_HELP_END)})
		for (const char c : part)
			help.at(at++) = c;
	return help;
}
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
