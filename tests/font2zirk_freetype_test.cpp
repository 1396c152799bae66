// font2zirk against FreeType's own drawing over the fonts of Debian
// packages: every glyph font2zirk writes holds the same ink as FreeType's
// monochrome rendering of it (a bitmap font's strike as it stands), once
// both are trimmed to their ink, and a default run clips nothing.
#include "../charmap/charmap.h"
#include "font2zirk_support.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>

namespace {

using rows = std::vector<std::string>;

// The rows from the first to the last with ink, cut to the columns from the
// first to the last with ink; nothing at all without ink.
rows trimmed(const rows &in)
{
	std::size_t top = in.size();
	std::size_t bottom = 0;
	std::size_t left = std::string::npos;
	std::size_t right = 0;
	for (std::size_t y = 0; y < in.size(); y++)
		if (const std::size_t first = in[y].find('@'); first != std::string::npos) {
			top = std::min(top, y);
			bottom = y + 1;
			left = std::min(left, first);
			right = std::max(right, in[y].rfind('@') + 1);
		}
	rows out;
	for (std::size_t y = top; y < bottom; y++)
		out.push_back(in[y].substr(left, right - left));
	return out;
}

rows rows_of(const FT_Bitmap &b)
{
	rows out;
	for (unsigned y = 0; y < b.rows; y++) {
		const unsigned char *row = b.buffer + static_cast<std::ptrdiff_t>(y) * b.pitch;
		std::string text;
		for (unsigned x = 0; x < b.width; x++)
			text += (row[x / 8] >> (7 - x % 8) & 1) != 0 ? '@' : '.';
		out.push_back(text);
	}
	return out;
}

// FreeType's drawing of each code's glyph at one size, trimmed, looked up
// as font2zirk does with its default charset: through the Unicode map,
// where Latin-1 codes are their characters, else the font's own map. Empty
// where the font has no glyph.
std::vector<rows> freetype_ink(const std::string &path, unsigned size)
{
	FT_Library library = nullptr;
	FT_Face face = nullptr;
	if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, path.c_str(), 0, &face) != 0)
		throw std::runtime_error("FreeType cannot open " + path);
	const std::unique_ptr<FT_LibraryRec_, FT_Error (*)(FT_Library)> library_closer(library, FT_Done_FreeType);
	const std::unique_ptr<FT_FaceRec_, FT_Error (*)(FT_Face)> face_closer(face, FT_Done_Face);
	FT_Int32 load = FT_LOAD_DEFAULT;
	if (FT_IS_SCALABLE(face)) {
		FT_Set_Pixel_Sizes(face, 0, size);
		load = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
	}
	for (int i = 0; i < face->num_fixed_sizes; i++)
		if (size == 0 || (face->available_sizes[i].y_ppem + 32) >> 6 == size)
			FT_Select_Size(face, i);
	const bool unicode = FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0;
	if (!unicode && face->num_charmaps > 0)
		FT_Set_Charmap(face, face->charmaps[0]);
	std::vector<rows> ink(256);
	// A control character's glyph is a placeholder, and not taken.
	for (unsigned code = 0; code < ink.size(); code++)
		if (const FT_UInt index = FT_Get_Char_Index(face, code);
		    index != 0 && !(unicode && is_control(code)) && FT_Load_Glyph(face, index, load) == 0)
			ink[code] = trimmed(rows_of(face->glyph->bitmap));
	return ink;
}

struct tally {
	unsigned fonts = 0;
	unsigned glyphs = 0;
};

// The font's codes as font2zirk writes them: all of the default range
// (first above last) in one font where it fits, in pieces where it does
// not. None for a font with no glyph for a code but control codes.
std::vector<made_font> made_fonts(const std::vector<std::string> &args, unsigned first, unsigned last)
{
	std::vector<std::string> with_range = args;
	if (first <= last)
		with_range.insert(with_range.begin(), {"--range", std::to_string(first) + "-" + std::to_string(last)});
	const run_result run = run_program("font2zirk", with_range);
	std::smatch found;
	if (run.status != 0 &&
	    std::regex_search(run.err, found, std::regex(": codes ([0-9]+)-([0-9]+) need [0-9]+ bitmap bytes"))) {
		first = static_cast<unsigned>(std::stoul(found[1]));
		last = static_cast<unsigned>(std::stoul(found[2]));
		const unsigned middle = (first + last) / 2;
		std::vector<made_font> pieces = made_fonts(args, first, middle);
		for (made_font &piece : made_fonts(args, middle + 1, last))
			pieces.push_back(std::move(piece));
		return pieces;
	}
	if (run.err.ends_with(": has no glyph for any code from 0 to 255 but control codes\n"))
		return {};
	EXPECT_EQ(run.status, 0) << run.err;
	EXPECT_NE(run.err.find(", 0 pixels clipped"), std::string::npos) << run.err;
	if (run.status != 0)
		return {};
	return {read_made_font(run.out)};
}

void compare(const std::string &path, unsigned size, tally &counted)
{
	std::vector<std::string> args{path};
	if (size != 0)
		args.insert(args.begin(), {"--size", std::to_string(size)});
	const std::vector<rows> reference = freetype_ink(path, size);
	const std::vector<made_font> made = made_fonts(args, 1, 0);
	for (unsigned code = 0; code < 256 && made.empty(); code++)
		EXPECT_TRUE(is_control(code) || reference[code].empty()) << path << " has code " << code;
	counted.fonts += made.empty() ? 0 : 1;
	for (const made_font &piece : made)
		for (unsigned code = piece.first; code <= piece.last; code++) {
			EXPECT_EQ(trimmed(piece.rows(code)), reference[code])
				<< path << " size " << size << " code " << code;
			counted.glyphs++;
		}
}

struct font_set {
	const char *what;
	std::string dir;
	const char *files;            // a pattern of the names taken
	std::size_t step;             // every step-th file, so that a run stays short
	std::vector<unsigned> sizes;  // for each file; {0}: its one size
};

std::vector<font_set> font_sets()
{
	const std::string x11 = "/usr/share/fonts/X11/";
	const std::vector<unsigned> terminus_sizes{12, 14, 16, 18, 20, 22, 24, 28, 32};
	std::vector<unsigned> pixel_sizes;
	for (unsigned px = 8; px <= 32; px++)
		pixel_sizes.push_back(px);
	return {
		{"X11_75dpi", x11 + "75dpi/", ".*\\.pcf\\.gz", 4, {0}},
		{"X11_100dpi", x11 + "100dpi/", ".*\\.pcf\\.gz", 4, {0}},
		{"X11_misc", x11 + "misc/", "(?!ter-).*\\.pcf\\.gz", 4, {0}},
		{"Terminus_PCF", x11 + "misc/", "ter-.*\\.pcf\\.gz", 5, {0}},
		{"Terminus_OTB", "/usr/share/fonts/opentype/terminus/", ".*\\.otb", 1, terminus_sizes},
		{"DejaVu_TrueType", "/usr/share/fonts/truetype/dejavu/", ".*\\.ttf", 4, pixel_sizes},
	};
}

void PrintTo(const font_set &s, std::ostream *out)
{
	*out << s.what;
}

}  // namespace

class font2zirk_freetype : public testing::TestWithParam<font_set> {};

TEST_P(font2zirk_freetype, every_glyph_holds_freetypes_ink_and_nothing_is_clipped)
{
	const font_set &set = GetParam();
	if (!std::filesystem::is_directory(set.dir))
		GTEST_SKIP() << set.dir
			     << " is missing (Debian packages xfonts-base, xfonts-75dpi, xfonts-100dpi, "
				"xfonts-terminus, fonts-terminus-otb, fonts-dejavu-core)";
	std::vector<std::string> files;
	for (const auto &entry : std::filesystem::directory_iterator(set.dir))
		if (std::regex_match(entry.path().filename().string(), std::regex(set.files)))
			files.push_back(entry.path());
	std::sort(files.begin(), files.end());
	ASSERT_FALSE(files.empty()) << "no fonts in " << set.dir;
	tally counted;
	// Each size from a different file, so that the sample spreads over both.
	std::size_t turn = 0;
	for (std::size_t i = 0; i < files.size(); i++)
		for (const unsigned size : set.sizes)
			if (turn++ % set.step == 0)
				compare(files[i], size, counted);
	std::cout << set.what << ": " << counted.glyphs << " glyphs of " << counted.fonts << " fonts compared\n";
}

INSTANTIATE_TEST_SUITE_P(debian, font2zirk_freetype, testing::ValuesIn(font_sets()),
                         [](const testing::TestParamInfo<font_set> &p) { return test_name(p.param.what); });
