// Linux console fonts, PSF1 and PSF2, which FreeType does not read. Every
// length the file states is checked against what the file holds before a
// byte of it is read. Console fonts keep their glyphs in the order of the
// video hardware, not of a charset, so their Unicode table decides which
// glyph a code gets.
#include "import.h"

#include "../charmap/baseline.h"
#include "../toolkit/messages.h"

#include "../format/zirk_format.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace {

constexpr std::size_t PSF1_HEADER_SIZE = 4;
constexpr unsigned PSF1_MODE512 = 0x01;
constexpr unsigned PSF1_MODEHASTAB = 0x02;
constexpr unsigned PSF1_MODESEQ = 0x04;
constexpr std::uint32_t PSF1_SEPARATOR = 0xffff;
constexpr std::uint32_t PSF1_STARTSEQ = 0xfffe;

constexpr std::size_t PSF2_HEADER_SIZE = 32;
constexpr std::uint32_t PSF2_HAS_UNICODE_TABLE = 0x01;
constexpr unsigned char PSF2_SEPARATOR = 0xff;
constexpr unsigned char PSF2_STARTSEQ = 0xfe;

// A zirk cell holds at most this many columns.
constexpr std::uint32_t MAX_WIDTH = 255;

struct psf_font {
	std::uint32_t count = 0;
	std::uint32_t width = 0;
	std::uint32_t height = 0;
	std::size_t glyphs_at = 0;  // offset of glyph 0
	std::size_t glyph_size = 0;
	std::size_t table_at = 0;  // offset of the Unicode table
	bool has_table = false;
	int ascent = 0;  // rows above the guessed baseline
};

std::uint32_t u16_at(const std::vector<unsigned char> &b, std::size_t at)
{
	return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8;
}

std::uint32_t u32_at(const std::vector<unsigned char> &b, std::size_t at)
{
	return u16_at(b, at) | u16_at(b, at + 2) << 16;
}

bool is_psf1(const std::vector<unsigned char> &b)
{
	return b.size() >= 2 && b[0] == 0x36 && b[1] == 0x04;
}

bool is_psf2(const std::vector<unsigned char> &b)
{
	return b.size() >= 4 && b[0] == 0x72 && b[1] == 0xb5 && b[2] == 0x4a && b[3] == 0x86;
}

psf_font psf1_header(const std::string &path, const std::vector<unsigned char> &b)
{
	if (b.size() < PSF1_HEADER_SIZE)
		file_fatal(path, "PSF1 header is truncated");
	const unsigned mode = b[2];
	psf_font f;
	f.count = (mode & PSF1_MODE512) != 0 ? 512 : 256;
	f.width = 8;
	f.height = b[3];
	f.glyphs_at = PSF1_HEADER_SIZE;
	f.glyph_size = f.height;
	f.has_table = (mode & (PSF1_MODEHASTAB | PSF1_MODESEQ)) != 0;
	return f;
}

psf_font psf2_header(const std::string &path, const std::vector<unsigned char> &b)
{
	if (b.size() < PSF2_HEADER_SIZE)
		file_fatal(path, "PSF2 header is truncated");
	const std::uint32_t version = u32_at(b, 4);
	const std::uint32_t header_size = u32_at(b, 8);
	const std::uint32_t charsize = u32_at(b, 20);
	if (version != 0)
		file_fatal(path, "PSF2 version " + std::to_string(version) + ", only version 0 is known");
	if (header_size < PSF2_HEADER_SIZE || header_size > b.size())
		file_fatal(path, "PSF2 header size " + std::to_string(header_size) +
		                         " is not between 32 and the file's " + std::to_string(b.size()) + " bytes");
	psf_font f;
	f.count = u32_at(b, 16);
	f.height = u32_at(b, 24);
	f.width = u32_at(b, 28);
	f.glyphs_at = header_size;
	f.glyph_size = charsize;
	f.has_table = (u32_at(b, 12) & PSF2_HAS_UNICODE_TABLE) != 0;
	if (f.width > MAX_WIDTH)
		file_fatal(path, "PSF glyphs are " + std::to_string(f.width) +
		                         " pixels wide, more than the 255 a zirk font holds");
	if (f.height <= MAX_HEIGHT && std::uint64_t{f.height} * ((f.width + 7) / 8) != charsize)
		file_fatal(path, "PSF2 glyphs of " + std::to_string(f.width) + "x" + std::to_string(f.height) +
		                         " take " + std::to_string(f.height * ((f.width + 7) / 8)) +
		                         " bytes, the header says " + std::to_string(charsize));
	return f;
}

void check_glyphs(const std::string &path, const std::vector<unsigned char> &b, psf_font &f)
{
	if (f.height > MAX_HEIGHT)
		file_fatal(path, "PSF glyphs are " + std::to_string(f.height) +
		                         " rows high, more than the 127 korvane takes");
	if (f.count == 0 || f.width == 0 || f.height == 0)
		file_fatal(path, "PSF font has no pixels: " + std::to_string(f.count) + " glyphs of " +
		                         std::to_string(f.width) + "x" + std::to_string(f.height));
	const std::uint64_t need = std::uint64_t{f.count} * f.glyph_size;
	const std::size_t held = b.size() - f.glyphs_at;
	if (need > held)
		file_fatal(path, "PSF file is truncated: " + std::to_string(f.count) + " glyphs of " +
		                         std::to_string(f.glyph_size) + " bytes need " + std::to_string(need) +
		                         " bytes, it holds " + std::to_string(held));
	f.table_at = f.glyphs_at + static_cast<std::size_t>(need);
}

[[noreturn]] void table_fault(const std::string &path, std::uint32_t glyph, const char *what)
{
	file_fatal(path, "PSF Unicode table " + std::string(what) + " in the entry of glyph " + std::to_string(glyph));
}

// Each entry lists the characters one glyph shows, then the sequences of
// characters it shows (left out: a byte code is one character), then a
// separator.
using glyph_of_char = std::unordered_map<char32_t, std::uint32_t>;

glyph_of_char psf1_table(const std::string &path, const std::vector<unsigned char> &b, const psf_font &f)
{
	glyph_of_char table;
	std::size_t at = f.table_at;
	for (std::uint32_t g = 0; g < f.count; g++) {
		bool in_sequences = false;
		for (;;) {
			if (b.size() - at < 2)
				table_fault(path, g, "is truncated");
			const std::uint32_t v = u16_at(b, at);
			at += 2;
			if (v == PSF1_SEPARATOR)
				break;
			if (v == PSF1_STARTSEQ)
				in_sequences = true;
			else if (!in_sequences)
				table.emplace(v, g);
		}
	}
	return table;
}

glyph_of_char psf2_table(const std::string &path, const std::vector<unsigned char> &b, const psf_font &f)
{
	glyph_of_char table;
	std::size_t at = f.table_at;
	for (std::uint32_t g = 0; g < f.count; g++) {
		const std::size_t begin = at;
		std::size_t chars_end = 0;
		while (at < b.size() && b[at] != PSF2_SEPARATOR) {
			if (b[at] == PSF2_STARTSEQ && chars_end == 0)
				chars_end = at;
			at++;
		}
		if (at == b.size())
			table_fault(path, g, "is truncated");
		if (chars_end == 0)
			chars_end = at;
		at++;
		const std::optional<std::vector<char32_t>> chars = decode_utf8(b.data() + begin, chars_end - begin);
		if (!chars)
			table_fault(path, g, "has invalid UTF-8");
		for (const char32_t c : *chars)
			table.emplace(c, g);
	}
	return table;
}

glyph_image glyph_at(const std::vector<unsigned char> &b, const psf_font &f, std::uint32_t g)
{
	glyph_image image;
	image.advance = static_cast<int>(f.width);
	image.width = static_cast<int>(f.width);
	image.rows = static_cast<int>(f.height);
	image.top = f.ascent;
	const std::size_t row_bytes = (f.width + 7) / 8;
	const std::size_t at = f.glyphs_at + g * f.glyph_size;
	image.pixels.resize(std::size_t{f.width} * f.height);
	for (std::size_t y = 0; y < f.height; y++)
		for (std::size_t x = 0; x < f.width; x++)
			image.pixels[y * f.width + x] =
				static_cast<unsigned char>(b[at + y * row_bytes + x / 8] >> (7 - x % 8) & 1);
	return image;
}

// Rows under a glyph's bottom ink row; none for a blank glyph.
std::optional<unsigned> rows_under_ink(const std::vector<unsigned char> &b, const psf_font &f, std::uint32_t g)
{
	const std::size_t row_bytes = (f.width + 7) / 8;
	const std::size_t at = f.glyphs_at + g * f.glyph_size;
	for (std::size_t y = f.height; y-- > 0;)
		for (std::size_t i = 0; i < row_bytes; i++)
			if (b[at + y * row_bytes + i] != 0)
				return static_cast<unsigned>(f.height - 1 - y);
	return std::nullopt;
}

// A console font has no baseline: the shared rule guesses it from the
// font's own glyphs, whatever the charset asks of it.
std::optional<unsigned> guess_descent(const std::vector<unsigned char> &b, const psf_font &f,
                                      const glyph_of_char *table)
{
	baseline_votes votes;
	const auto vote = [&](char32_t c, std::uint32_t g) {
		if (const std::optional<unsigned> under = rows_under_ink(b, f, g))
			votes.add({c, *under});
	};
	if (table != nullptr)
		for (const auto &[c, g] : *table)
			vote(c, g);
	else
		for (std::uint32_t g = 0; g < CODES && g < f.count; g++)
			vote(g, g);
	return votes.descent();
}

}  // namespace

bool is_psf(const std::vector<unsigned char> &bytes)
{
	return is_psf1(bytes) || is_psf2(bytes);
}

imported_font read_psf(const std::string &path, const std::vector<unsigned char> &bytes, unsigned size,
                       const code_map &charset)
{
	psf_font f = is_psf2(bytes) ? psf2_header(path, bytes) : psf1_header(path, bytes);
	check_glyphs(path, bytes, f);
	// A console font has one size, its height.
	if (size != 0 && size != f.height)
		file_fatal(path, "has no size " + std::to_string(size) + "; its sizes: " + std::to_string(f.height));

	imported_font font;
	font.size = f.height;
	font.own_codes = !f.has_table;
	glyph_of_char table;
	if (!font.own_codes)
		table = is_psf2(bytes) ? psf2_table(path, bytes, f) : psf1_table(path, bytes, f);
	const std::optional<unsigned> descent = guess_descent(bytes, f, font.own_codes ? nullptr : &table);
	font.baseline_unknown = !descent;
	font.descent = static_cast<int>(descent.value_or(0));
	font.ascent = static_cast<int>(f.height) - font.descent;
	f.ascent = font.ascent;
	if (font.own_codes) {
		for (std::uint32_t code = 0; code < CODES && code < f.count; code++)
			font.glyphs[code] = glyph_at(bytes, f, code);
		return font;
	}
	for (unsigned code = 0; code < CODES; code++)
		for (std::size_t i = 0; i < charset[code].size(); i++)
			if (const auto found = table.find(charset[code][i]);
			    found != table.end() && !is_control(charset[code][i])) {
				font.glyphs[code] = glyph_at(bytes, f, found->second);
				font.found_by[code] = i;
				break;
			}
	return font;
}
