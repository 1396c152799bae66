// What font2zirk's readers hand to the placement: up to one glyph image for
// every byte code, already looked up through the charset, with the font's
// own ascent and descent. FreeType and the PSF reader fill the same form.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr unsigned CODES = 256;

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

// The character each byte code stands for, as the charset says; none where
// the charset leaves a code undefined.
using code_map = std::array<std::optional<char32_t>, CODES>;

struct imported_font {
	std::string name;  // the default record name, uncut
	int ascent = 0;    // pixel rows above the baseline
	int descent = 0;   // pixel rows below it
	// True when the font has no Unicode map, so that byte codes were taken
	// as the font's own codes.
	bool own_codes = false;
	std::array<std::optional<glyph_image>, CODES> glyphs;
};

// "font2zirk: PATH: WHAT" on standard error, status 1.
[[noreturn]] void file_fault(std::string_view path, std::string_view what);

// The file's bytes, inflated when it is gzip'd. Faults name the path.
std::vector<unsigned char> read_font_file(const std::string &path);

// Which codes a charset defines and as what; nullopt for a name iconv does
// not know.
std::optional<code_map> charset_map(const std::string &charset);
// The characters of UTF-8 text; nullopt where it is not valid UTF-8.
std::optional<std::vector<char32_t>> decode_utf8(const unsigned char *bytes, std::size_t size);
// Whether a character is a C0 or C1 control, or DEL.
constexpr bool is_control(char32_t c)
{
	return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

bool is_psf(const std::vector<unsigned char> &bytes);
// size 0: none asked for.
imported_font read_psf(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                       const code_map &charset);

// size 0: none asked for.
imported_font read_with_freetype(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                                 const code_map &charset);
