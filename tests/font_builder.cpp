#include "font_builder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace {

void append_le(std::string &out, std::uint32_t value, int bytes)
{
	for (int i = 0; i < bytes; i++)
		out += static_cast<char>(value >> (8 * i) & 0xff);
}

// A drawn row as bytes, most significant bit leftmost.
std::string row_bytes(const std::string &row)
{
	std::string bytes((row.size() + 7) / 8, '\0');
	for (std::size_t x = 0; x < row.size(); x++)
		if (row[x] == '@')
			bytes[x / 8] = static_cast<char>(bytes[x / 8] | 0x80 >> (x % 8));
	return bytes;
}

}  // namespace

std::string bdf_text(const bdf_font &font)
{
	std::ostringstream s;
	s << "STARTFONT 2.1\nFONT -test-" << font.family << "-medium-r-normal--" << font.pixel_size << "-"
	  << font.pixel_size * 10 << "-75-75-c-80-" << font.registry << "-" << font.encoding << "\nSIZE "
	  << font.pixel_size << " 75 75\nFONTBOUNDINGBOX 8 " << font.ascent + font.descent << " 0 " << -font.descent
	  << "\nSTARTPROPERTIES 6\nFAMILY_NAME \"" << font.family << "\"\nPIXEL_SIZE " << font.pixel_size
	  << "\nFONT_ASCENT " << font.ascent << "\nFONT_DESCENT " << font.descent << "\nCHARSET_REGISTRY \""
	  << font.registry << "\"\nCHARSET_ENCODING \"" << font.encoding << "\"\nENDPROPERTIES\nCHARS "
	  << font.glyphs.size() << "\n";
	for (const bdf_glyph &g : font.glyphs) {
		const std::size_t width = g.rows.empty() ? 0 : g.rows[0].size();
		s << "STARTCHAR c" << g.encoding << "\nENCODING " << g.encoding << "\nSWIDTH 500 0\nDWIDTH " << g.dwidth
		  << " 0\nBBX " << width << " " << g.rows.size() << " " << g.xoff << " " << g.yoff << "\nBITMAP\n";
		for (const std::string &row : g.rows) {
			for (const char b : row_bytes(row)) {
				std::array<char, 3> hex{};
				static_cast<void>(
					std::snprintf(hex.data(), hex.size(), "%02X", static_cast<unsigned char>(b)));
				s << hex.data();
			}
			s << "\n";
		}
		s << "ENDCHAR\n";
	}
	s << "ENDFONT\n";
	return s.str();
}

std::string psf1_bytes(const std::vector<std::vector<std::string>> &glyphs, const std::vector<std::u16string> &table,
                       bool has_table)
{
	const unsigned mode = (glyphs.size() == 512 ? 1U : 0U) | (has_table ? 2U : 0U);
	std::string out{'\x36', '\x04', static_cast<char>(mode), static_cast<char>(glyphs.at(0).size())};
	for (const auto &g : glyphs)
		for (const std::string &row : g)
			out += row_bytes(row);
	for (const std::u16string &entry : table) {
		for (const char16_t c : entry)
			append_le(out, c, 2);
		append_le(out, 0xffff, 2);
	}
	return out;
}

std::string psf2_bytes(unsigned width, const std::vector<std::vector<std::string>> &glyphs,
                       const std::vector<std::string> &table, bool has_table)
{
	const auto height = static_cast<std::uint32_t>(glyphs.at(0).size());
	std::string out{'\x72', '\xb5', '\x4a', '\x86'};
	append_le(out, 0, 4);
	append_le(out, 32, 4);
	append_le(out, has_table ? 1 : 0, 4);
	append_le(out, static_cast<std::uint32_t>(glyphs.size()), 4);
	append_le(out, height * ((width + 7) / 8), 4);
	append_le(out, height, 4);
	append_le(out, width, 4);
	for (const auto &g : glyphs)
		for (const std::string &row : g)
			out += row_bytes(row);
	for (const std::string &entry : table)
		out += entry + '\xff';
	return out;
}

std::string gzip_bytes(const std::string &bytes)
{
	z_stream z{};
	if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
		throw std::runtime_error("deflateInit2 failed");
	std::string in = bytes;
	std::string out(deflateBound(&z, static_cast<uLong>(in.size())) + 32, '\0');
	z.next_in = reinterpret_cast<Bytef *>(in.data());
	z.avail_in = static_cast<uInt>(in.size());
	z.next_out = reinterpret_cast<Bytef *>(out.data());
	z.avail_out = static_cast<uInt>(out.size());
	const int status = deflate(&z, Z_FINISH);
	out.resize(z.total_out);
	deflateEnd(&z);
	if (status != Z_STREAM_END)
		throw std::runtime_error("deflate failed");
	return out;
}

std::string fnt_bytes(unsigned first, unsigned ascent, const std::vector<std::vector<std::string>> &glyphs,
                      const std::string &face)
{
	constexpr std::uint32_t header_size = 118;
	const auto height = static_cast<std::uint32_t>(glyphs.at(0).size());
	const auto count = static_cast<std::uint32_t>(glyphs.size());
	// One entry a glyph and one past the last: width, then offset.
	const std::uint32_t table_size = 4 * (count + 1);
	std::uint32_t bits_at = header_size + table_size;
	std::string table;
	std::string bits;
	unsigned max_width = 0;
	for (const auto &g : glyphs) {
		const auto width = static_cast<std::uint32_t>(g.at(0).size());
		max_width = std::max(max_width, width);
		append_le(table, width, 2);
		append_le(table, bits_at + static_cast<std::uint32_t>(bits.size()), 2);
		// Column-major: each stripe of 8 columns, top row to bottom.
		for (std::uint32_t stripe = 0; stripe < (width + 7) / 8; stripe++)
			for (const std::string &row : g)
				bits += row_bytes(row).at(stripe);
	}
	append_le(table, 0, 2);
	append_le(table, bits_at + static_cast<std::uint32_t>(bits.size()), 2);
	const std::uint32_t face_at = bits_at + static_cast<std::uint32_t>(bits.size());
	const auto file_size = face_at + static_cast<std::uint32_t>(face.size()) + 1;

	std::string h;
	append_le(h, 0x200, 2);                     // version
	append_le(h, file_size, 4);                 // size
	h += std::string(60, '\0');                 // copyright
	append_le(h, 0, 2);                         // type: raster
	append_le(h, height, 2);                    // points: at 72 dpi, the pixel height
	append_le(h, 72, 2);                        // vertical resolution
	append_le(h, 72, 2);                        // horizontal resolution
	append_le(h, ascent, 2);                    // ascent
	append_le(h, 0, 2);                         // internal leading
	append_le(h, 0, 2);                         // external leading
	h += std::string(3, '\0');                  // italic, underline, strike out
	append_le(h, 400, 2);                       // weight
	h += '\0';                                  // charset: ANSI
	append_le(h, 0, 2);                         // pixel width: 0, proportional
	append_le(h, height, 2);                    // pixel height
	h += '\x20';                                // pitch and family
	append_le(h, max_width, 2);                 // average width
	append_le(h, max_width, 2);                 // maximum width
	h += static_cast<char>(first);              // first char
	h += static_cast<char>(first + count - 1);  // last char
	h += '\0';                                  // default char, from the first
	h += '\0';                                  // break char
	append_le(h, 0, 2);                         // width bytes
	append_le(h, 0, 4);                         // device
	append_le(h, face_at, 4);                   // face name
	append_le(h, 0, 4);                         // bits pointer
	append_le(h, bits_at, 4);                   // bits offset
	h += '\0';                                  // reserved
	return h + table + bits + face + '\0';
}
