#include "png_reading.h"

#include <png.h>

#include <algorithm>

std::size_t picture::count(const colour_value &c) const
{
	return static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), c));
}

picture read_png(const std::string &bytes)
{
	picture p;
	png_image image{};
	image.version = PNG_IMAGE_VERSION;
	if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
		p.error = image.message;
		return p;
	}
	image.format = PNG_FORMAT_RGB;
	std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
	if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
		p.error = image.message;
		png_image_free(&image);
		return p;
	}
	p.width = image.width;
	p.height = image.height;
	for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
		p.pixels.push_back({rgb[i], rgb[i + 1], rgb[i + 2]});
	// The header's own fields: bit depth and colour type follow the signature,
	// the chunk's length and type, width and height.
	p.bit_depth = static_cast<unsigned char>(bytes.at(24));
	p.colour_type = static_cast<unsigned char>(bytes.at(25));
	return p;
}

static bool is_glyph_colour(const colour_value &c)
{
	return c == INK || c == PAPER || c == MISSING;
}

box glyph_box(const picture &p)
{
	unsigned left = p.width;
	unsigned top = p.height;
	unsigned right = 0;
	unsigned bottom = 0;
	for (unsigned y = 0; y < p.height; y++)
		for (unsigned x = 0; x < p.width; x++)
			if (is_glyph_colour(p.at(x, y))) {
				left = std::min(left, x);
				top = std::min(top, y);
				right = std::max(right, x + 1);
				bottom = std::max(bottom, y + 1);
			}
	if (right == 0)
		return {};
	return {left, top, right - left, bottom - top};
}

static char symbol(const colour_value &c)
{
	if (c == INK)
		return '@';
	if (c == PAPER)
		return '.';
	if (c == MISSING)
		return '?';
	if (c == FRAME)
		return '|';
	if (c == TEXT)
		return 't';
	if (c == NOTE_TEXT)
		return 'n';
	return c == WHITE ? ' ' : '!';
}

std::vector<std::string> pixel_rows(const picture &p, const box &b)
{
	std::vector<std::string> rows;
	for (unsigned y = b.y; y < b.y + b.height; y++) {
		std::string row;
		for (unsigned x = b.x; x < b.x + b.width; x++)
			row += symbol(p.at(x, y));
		rows.push_back(row);
	}
	return rows;
}
