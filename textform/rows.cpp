#include "rows.h"

#include "../format/zirk_format.h"
#include "../toolkit/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// For pixel_byte: 1 for a set pixel, 0 for a clear one, 2 for anything else.
constexpr std::array<unsigned char, 256> PIXEL_VALUE = [] {
	std::array<unsigned char, 256> values{};
	values.fill(2);
	values['@'] = 1;
	values['.'] = 0;
	return values;
}();

// Up to 8 pixels as the low bits of a byte, the first the highest; bad
// gains bit 1 for anything but '@' and '.'.
unsigned char pixel_byte(const char *p, unsigned count, unsigned &bad)
{
	unsigned byte = 0;
	for (unsigned i = 0; i < count; i++) {
		const unsigned v = PIXEL_VALUE[static_cast<unsigned char>(p[i])];
		bad |= v;
		byte = byte << 1 | (v & 1U);
	}
	return static_cast<unsigned char>(byte);
}

// pixel_byte for 8 pixels at once, a byte of the row in each byte of a
// word: '.' leaves 0 and '@' 0x6e after the xor, and bit 6 tells them
// apart; the multiplication gathers those bits, the first pixel highest.
unsigned char eight_pixels(const char *p, unsigned &bad)
{
	constexpr std::uint64_t ONES = 0x0101010101010101U;
	std::uint64_t word = 0;
	std::memcpy(&word, p, sizeof word);
	const std::uint64_t diff = word ^ (ONES * '.');
	const std::uint64_t set = diff >> 6 & ONES;
	if (diff != set * ('@' ^ '.'))
		bad |= 2U;
	constexpr std::uint64_t GATHER =
		std::endian::native == std::endian::little ? 0x8040201008040201U : 0x0102040810204080U;
	return static_cast<unsigned char>(set * GATHER >> 56);
}

}  // namespace

// The bits after '|' of a row, in their places in its last byte.
static unsigned padding(const text_lines &at, std::string_view line, unsigned width)
{
	const std::string_view bits = line.substr(width + 1);
	const unsigned expected = row_bytes_for_width(width) * 8 - width;
	if (bits.size() != expected)
		at.fail(std::to_string(bits.size()) + " padding bits after '|', expected " + std::to_string(expected));
	unsigned char byte = 0;
	for (std::size_t i = 0; i < bits.size(); i++) {
		if (bits[i] != '@' && bits[i] != '.')
			at.fail(quoted(bits.substr(i, 1)) + " in the padding, expected '@' or '.'");
		if (bits[i] == '@')
			set_row_bit(&byte, width % 8 + static_cast<unsigned>(i));
	}
	return byte;
}

bool glyph_block::plain_row(std::string_view line, unsigned width)
{
	if (line.size() != width || missing_)
		return false;
	std::array<unsigned char, 32> bytes{};
	unsigned bad = 0;
	const char *p = line.data();
	const unsigned full = width / 8;
	for (unsigned k = 0; k < full; k++, p += 8)
		bytes[k] = eight_pixels(p, bad);
	if (width % 8 != 0)
		bytes[full] = static_cast<unsigned char>(pixel_byte(p, width % 8, bad) << (8 - width % 8));
	const unsigned row_bytes = row_bytes_for_width(width);
	if ((bad & 2U) != 0 || bytes_.size() + row_bytes > MAX_BLOCK)
		return false;
	if (row_bytes == 1)
		bytes_.push_back(bytes[0]);
	else
		bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + row_bytes);
	return true;
}

void glyph_block::row(const text_lines &at, std::string_view line, unsigned code, unsigned width)
{
	const std::size_t bar = std::min(line.find('|'), line.size());
	const unsigned row_bytes = row_bytes_for_width(width);
	for (std::size_t i = 0; i < bar; i++)
		if (const char c = line[i]; c != '@' && c != '.' && c != '?')
			at.fail(quoted(line.substr(i, 1)) + " in a row, expected '@', '.' or '?'");
	if (bar != width)
		at.fail("row of " + plural(bar, "pixel", "pixels") + ", expected " + std::to_string(width) +
		        " (glyph " + std::to_string(code) + " is " + std::to_string(width) + " wide)");

	for (unsigned k = 0; k < row_bytes; k++) {
		const std::string_view pixels(line.data() + std::size_t{k} * 8, std::min(8U, width - k * 8));
		const auto unknown = static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), '?'));
		if (unknown == pixels.size()) {
			missing_ = true;
			continue;
		}
		if (unknown != 0)
			at.fail("'?' and pixels in one byte, expected a byte all '?' or none");
		if (missing_)
			at.fail("a pixel after a missing glyph byte, expected '?': once a byte is missing, so is every "
			        "later one");
		unsigned char byte = 0;
		for (std::size_t i = 0; i < pixels.size(); i++)
			if (pixels[i] == '@')
				set_row_bit(&byte, static_cast<unsigned>(i));
		if (k + 1 == row_bytes && bar < line.size())
			byte = static_cast<unsigned char>(byte | padding(at, line, width));
		bytes_.push_back(byte);
	}
	if (bar < line.size() && missing_)
		at.fail("padding after a missing byte, expected none");
	check_size(at, " (a byte not held is '?')");
}

void glyph_block::check_surplus(const text_lines &at) const
{
	check_size(at, "");
}

void glyph_block::check_size(const text_lines &at, std::string_view hint) const
{
	if (bytes_.size() > MAX_BLOCK) {
		std::string what = "more than " + std::to_string(MAX_BLOCK) + " bytes in the block of font " +
		                   std::to_string(font_) + ", more than bitmap_size can count, expected at most " +
		                   std::to_string(MAX_BLOCK);
		at.fail(what.append(hint));
	}
}
