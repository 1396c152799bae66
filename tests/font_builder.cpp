#include "font_builder.h"

#include <zlib.h>

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
