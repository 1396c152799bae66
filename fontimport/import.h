// What font2zirk's readers hand to the placement: up to one glyph image for
// every byte code, already looked up through the charset, with the font's
// own ascent and descent. FreeType and the PSF reader fill the same form.
// Neither takes a glyph for a control character (U+0000 to U+001F, U+007F
// to U+009F): what fonts draw there is a placeholder, not a character.
#pragma once

#include "../charmap/charmap.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// A glyph as its font draws it: ink rows from the top, one byte per pixel
// (0 or 1), placed against the origin on the baseline.
struct glyph_image {
	int advance = 0;  // pixels to the next origin
	int left = 0;     // from the origin to the first ink column
	int top = 0;      // from the baseline up to the first ink row
	int width = 0;
	int rows = 0;
	std::vector<unsigned char> pixels;  // rows * width

	bool ink(int x, int y) const
	{
		return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
		              static_cast<std::size_t>(x)] != 0;
	}
};

struct imported_font {
	std::string described;      // family and style as the font gives them; may be empty
	unsigned size = 0;          // in pixels, as drawn
	bool smaller_size = false;  // whether the font can be had smaller
	int ascent = 0;             // pixel rows above the baseline
	int descent = 0;            // pixel rows below it
	// True when the font has no Unicode map, so that byte codes were taken
	// as the font's own codes.
	bool own_codes = false;
	// True when the file gives no baseline and has no glyph to guess it
	// by: its bottom row was taken as the baseline.
	bool baseline_unknown = false;
	std::array<std::optional<glyph_image>, CODES> glyphs;
	// Which of its code's characters each glyph was found by, 0 for the
	// most wanted; 0 for a glyph taken by its own code.
	std::array<std::size_t, CODES> found_by{};
};

// The file's bytes ("-": standard input), inflated when it is gzip'd.
// Faults name the path.
std::vector<unsigned char> read_font_file(const std::string &path);

bool is_psf(const std::vector<unsigned char> &bytes);
// size 0: none asked for.
imported_font read_psf(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                       const code_map &charset);

// size 0: none asked for.
imported_font read_with_freetype(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                                 const code_map &charset);
