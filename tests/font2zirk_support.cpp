#include "font2zirk_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <stdexcept>

unsigned made_font::width(unsigned code) const
{
	return spacing == 'P' ? widths[code - first] : fixed_width;
}

std::vector<std::string> made_font::rows(unsigned code) const
{
	std::size_t at = 0;
	for (unsigned c = first; c < code; c++)
		at += std::size_t{(width(c) + 7) / 8} * height;
	const unsigned w = width(code);
	const std::size_t row_size = (w + 7) / 8;
	std::vector<std::string> rows;
	for (unsigned y = 0; y < height; y++) {
		std::string row;
		for (unsigned x = 0; x < w; x++) {
			const auto byte = static_cast<unsigned char>(bitmap.at(at + y * row_size + x / 8));
			row += (byte >> (7 - x % 8) & 1) != 0 ? '@' : '.';
		}
		rows.push_back(row);
	}
	return rows;
}

made_font read_made_font(const std::string &container)
{
	made_font f;
	const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(container.at(at)); };
	if (container.size() < 34 || container.compare(0, 8, std::string("ZIRKFNT\x01", 8)) != 0) {
		ADD_FAILURE() << "not a container of one font (" << container.size() << " bytes)";
		return f;
	}
	const unsigned size = byte(8) | unsigned{byte(9)} << 8;
	f.name = container.substr(10, 16);
	f.name.resize(std::min(f.name.find('\0'), f.name.size()));
	f.spacing = container[26];
	f.fixed_width = byte(30);
	f.height = byte(31);
	f.first = byte(32);
	f.last = byte(33);
	std::size_t at = 34;
	if (f.spacing == 'P')
		for (unsigned c = f.first; c <= f.last; c++)
			f.widths.push_back(byte(at++));
	f.bitmap = container.substr(at);
	EXPECT_EQ(f.bitmap.size(), size) << "bitmap_size disagrees with the bytes that follow";
	return f;
}

bdf_font parse_bdf(const std::string &text)
{
	bdf_font font;
	std::istringstream in(text);
	std::string line;
	bdf_glyph g;
	unsigned width = 0;
	unsigned height = 0;
	bool in_bitmap = false;
	while (std::getline(in, line)) {
		std::istringstream words(line);
		std::string key;
		words >> key;
		if (in_bitmap && key != "ENDCHAR") {
			std::string row;
			for (unsigned x = 0; x < width; x++) {
				const auto nibble =
					static_cast<unsigned>(std::stoul(line.substr(x / 4, 1), nullptr, 16));
				row += (nibble >> (3 - x % 4) & 1) != 0 ? '@' : '.';
			}
			g.rows.push_back(row);
		} else if (key == "FONT_ASCENT") {
			words >> font.ascent;
		} else if (key == "FONT_DESCENT") {
			words >> font.descent;
		} else if (key == "STARTCHAR") {
			g = bdf_glyph{};
		} else if (key == "ENCODING") {
			int encoding = 0;
			words >> encoding;
			g.encoding = static_cast<unsigned>(encoding);
		} else if (key == "DWIDTH") {
			words >> g.dwidth;
		} else if (key == "BBX") {
			words >> width >> height >> g.xoff >> g.yoff;
		} else if (key == "BITMAP") {
			in_bitmap = true;
		} else if (key == "ENDCHAR") {
			in_bitmap = false;
			if (g.rows.size() != height)
				throw std::runtime_error("BDF glyph " + std::to_string(g.encoding) +
				                         " has the wrong row count");
			font.glyphs.push_back(g);
		}
	}
	return font;
}

std::vector<std::string> cell_rows(const bdf_glyph &g, int above, unsigned height, unsigned width, int origin)
{
	std::vector<std::string> rows(height, std::string(width, '.'));
	const int top = g.yoff + static_cast<int>(g.rows.size());
	for (std::size_t y = 0; y < g.rows.size(); y++)
		for (std::size_t x = 0; x < g.rows[y].size(); x++) {
			const int row = above - top + static_cast<int>(y);
			const int column = origin + g.xoff + static_cast<int>(x);
			if (g.rows[y][x] == '@' && row >= 0 && row < static_cast<int>(height) && column >= 0 &&
			    column < static_cast<int>(width))
				rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = '@';
		}
	return rows;
}

std::string command_output(const std::string &command)
{
	// The tests' own commands, with paths they chose.
	std::FILE *pipe = popen(command.c_str(), "r");  // NOLINT(cert-env33-c)
	if (pipe == nullptr)
		return {};
	std::string out;
	std::array<char, 65536> chunk{};
	std::size_t n = 0;
	while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0)
		out.append(chunk.data(), n);
	return pclose(pipe) == 0 ? out : std::string{};
}

std::string test_name(const std::string &what)
{
	std::string name;
	for (const char c : what) {
		const auto u = static_cast<unsigned char>(c);
		name += std::isalnum(u) != 0 ? static_cast<char>(std::tolower(u)) : '_';
	}
	return name;
}
