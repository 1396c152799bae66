// Fonts written as readable text for the tests and the fuzzer's seeds: BDF
// glyphs drawn with @ and ., PSF fonts from the same drawings, gzip'd by
// zlib where asked.
#pragma once

#include <string>
#include <vector>

// A glyph as BDF gives it: the box of its bitmap against the origin.
struct bdf_glyph {
	unsigned encoding = 0;
	int dwidth = 0;
	int xoff = 0;
	int yoff = 0;
	std::vector<std::string> rows;  // top to bottom, @ and .
};

struct bdf_font {
	std::string family = "Test";
	unsigned pixel_size = 8;
	int ascent = 6;
	int descent = 2;
	std::string registry = "ISO10646";
	std::string encoding = "1";
	std::vector<bdf_glyph> glyphs;
};

std::string bdf_text(const bdf_font &font);

// PSF fonts from drawings: every glyph width x rows.size(). The table gives
// each glyph's characters, UCS-2 for PSF1 (sequences after u'\xfffe'),
// UTF-8 for PSF2 (sequences after '\xfe'); the separators are added.
std::string psf1_bytes(const std::vector<std::vector<std::string>> &glyphs, const std::vector<std::u16string> &table,
                       bool has_table);
std::string psf2_bytes(unsigned width, const std::vector<std::vector<std::string>> &glyphs,
                       const std::vector<std::string> &table, bool has_table);

std::string gzip_bytes(const std::string &bytes);

// A Windows FNT (version 2, raster) from drawings: glyphs for the codes from
// first on, all glyphs as high as the first, each as wide as its rows.
std::string fnt_bytes(unsigned first, unsigned ascent, const std::vector<std::vector<std::string>> &glyphs,
                      const std::string &face);
