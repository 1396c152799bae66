#include "random_container.h"

#include <array>

namespace {

unsigned below(std::mt19937 &rng, unsigned n)
{
	return std::uniform_int_distribution<unsigned>(0, n - 1)(rng);
}

bool chance(std::mt19937 &rng, unsigned percent)
{
	return below(rng, 100) < percent;
}

unsigned char random_byte(std::mt19937 &rng)
{
	return static_cast<unsigned char>(below(rng, 256));
}

// Widths round the byte boundaries, where rows gain a byte.
unsigned char random_width(std::mt19937 &rng)
{
	static const std::array<unsigned char, 12> usual{0, 1, 2, 5, 7, 8, 9, 12, 15, 16, 17, 24};
	if (chance(rng, 5))
		return random_byte(rng);
	return usual[below(rng, usual.size())];
}

unsigned char random_height(std::mt19937 &rng)
{
	static const std::array<unsigned char, 8> odd{0, 1, 127, 128, 129, 200, 255, 2};
	if (chance(rng, 10))
		return odd[below(rng, odd.size())];
	return static_cast<unsigned char>(1 + below(rng, 16));
}

void random_name(std::mt19937 &rng, font_header &h)
{
	h.name.fill(0);
	switch (below(rng, 4)) {
	case 0:  // every byte
		for (unsigned char &b : h.name)
			b = random_byte(rng);
		break;
	case 1:  // text, a zero, then more bytes
		for (std::size_t i = 0; i < h.name.size(); i++)
			h.name[i] = i == 5 ? 0 : static_cast<unsigned char>(' ' + below(rng, 95));
		break;
	default:  // printable text, the quote and backslash included, zero-padded
		for (std::size_t i = 0, n = below(rng, 17); i < n; i++)
			h.name[i] = static_cast<unsigned char>(' ' + below(rng, 95));
	}
}

void random_range(std::mt19937 &rng, font_header &h)
{
	switch (below(rng, 10)) {
	case 0:  // empty
		h.first_char = static_cast<unsigned char>(1 + below(rng, 255));
		h.last_char = static_cast<unsigned char>(h.first_char - 1);
		break;
	case 1:  // every code
		h.first_char = 0;
		h.last_char = 255;
		break;
	default: {
		const unsigned first = below(rng, 256);
		h.first_char = static_cast<unsigned char>(first);
		h.last_char = static_cast<unsigned char>(first + below(rng, std::min(8U, 256 - first)));
	}
	}
}

void clear_padding(font_record &font)
{
	for (unsigned code = font.header.first_char; code <= font.header.last_char; code++) {
		const unsigned width = glyph_width(font, code);
		const unsigned row_bytes = row_bytes_for_width(width);
		if (width % 8 == 0)
			continue;
		for (unsigned r = 1; r <= font.header.height; r++) {
			const std::size_t last = glyph_offset(font, code) + std::size_t{r} * row_bytes - 1;
			if (last < font.bitmap.size())
				font.bitmap[last] &= static_cast<unsigned char>(0xff00U >> (width % 8));
		}
	}
}

}  // namespace

font_record random_font(std::mt19937 &rng)
{
	font_record font;
	font_header &h = font.header;
	random_name(rng, h);
	h.spacing = chance(rng, 40) ? PROPORTIONAL : random_byte(rng);
	for (unsigned char &b : h.uninterpreted)
		b = random_byte(rng);
	h.fixed_width = random_width(rng);
	h.height = random_height(rng);
	random_range(rng, h);
	// Most fonts stay small, so that thousands of them take moments.
	if (char_count(h) > 8 && h.height > 16)
		h.height = static_cast<unsigned char>(below(rng, 3));
	if (has_width_table(h))
		for (unsigned i = 0; i < char_count(h); i++)
			font.widths.push_back(random_width(rng));

	const std::uint32_t need = geometry_length(font);
	std::uint32_t stored = need;
	const unsigned kind = below(rng, 4);
	if (need > 0xffff || (kind == 1 && need > 0))
		stored = below(rng, std::min<std::uint32_t>(need, 0x10000));
	else if (kind == 2)
		stored = std::min<std::uint32_t>(need + 1 + below(rng, 40), 0xffff);
	h.bitmap_size = static_cast<std::uint16_t>(stored);
	for (std::uint32_t i = 0; i < stored; i++)
		font.bitmap.push_back(random_byte(rng));
	// Now and then every padding bit clear, as a drawn font has them.
	if (chance(rng, 30))
		clear_padding(font);
	return font;
}

zirk_container random_container(std::mt19937 &rng)
{
	zirk_container container;
	for (unsigned i = 0, n = below(rng, 5); i < n; i++)
		container.fonts.push_back(random_font(rng));
	if (chance(rng, 20))
		for (unsigned i = 0, n = 1 + below(rng, 40); i < n; i++)
			container.trailing.push_back(random_byte(rng));
	return container;
}
