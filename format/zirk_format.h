// The zirk font container as it lies on disk: the layout, the byte order of
// its one wide field, the geometry of a glyph block and what korvane accepts.
// korvane's engine and the toolkit's reader and writer both stand on this.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// Container file: magic, one count byte, then that many font records.
inline constexpr std::array<char, 7> FONT_MAGIC{'Z', 'I', 'R', 'K', 'F', 'N', 'T'};
inline constexpr std::size_t MAGIC_SIZE = FONT_MAGIC.size();
inline constexpr std::size_t CONTAINER_HEADER_SIZE = MAGIC_SIZE + 1;

inline constexpr std::size_t FONT_HEADER_SIZE = 26;
inline constexpr std::size_t NAME_SIZE = 16;
inline constexpr std::size_t BITMAP_STORE_SIZE = 24600;
inline constexpr std::size_t CHAR_CODES = 256;
inline constexpr unsigned MAX_FONTS = 255;
inline constexpr unsigned MAX_HEIGHT = 127;

// A font with this spacing byte carries its own width table.
inline constexpr unsigned char PROPORTIONAL = 'P';

// One record header, byte for byte as it lies in the file. Only bitmap_size
// is wider than a byte; it is little-endian on disk and held in host order
// while in memory.
struct font_header {
	std::uint16_t bitmap_size;
	std::array<unsigned char, NAME_SIZE> name;
	unsigned char spacing;
	std::array<unsigned char, 3> uninterpreted;
	unsigned char fixed_width;
	unsigned char height;
	unsigned char first_char;
	unsigned char last_char;
};

static_assert(sizeof(font_header) == FONT_HEADER_SIZE);
static_assert(std::is_trivially_copyable_v<font_header>);
static_assert(std::is_standard_layout_v<font_header>);
static_assert(offsetof(font_header, bitmap_size) == 0);
static_assert(offsetof(font_header, name) == 2);
static_assert(offsetof(font_header, spacing) == 18);
static_assert(offsetof(font_header, uninterpreted) == 19);
static_assert(offsetof(font_header, fixed_width) == 22);
static_assert(offsetof(font_header, height) == 23);
static_assert(offsetof(font_header, first_char) == 24);
static_assert(offsetof(font_header, last_char) == 25);

constexpr bool host_is_big_endian()
{
	return std::endian::native == std::endian::big;
}

constexpr void swap_u16(std::uint16_t &value)
{
	value = static_cast<std::uint16_t>(value >> 8 | value << 8);
}

// Bytes one glyph row of a character this many pixels wide takes.
constexpr unsigned row_bytes_for_width(unsigned width)
{
	return (width + 7) / 8;
}

// Rows run from the most significant bit of their first byte.
constexpr bool row_bit(const unsigned char *row, unsigned x)
{
	return ((row[x / 8] >> (7 - x % 8)) & 1U) != 0;
}

constexpr void set_row_bit(unsigned char *row, unsigned x)
{
	row[x / 8] = static_cast<unsigned char>(row[x / 8] | (0x80U >> (x % 8)));
}

// Whether the header's range is one the format can describe: an empty font
// has last_char one below first_char, never less.
constexpr bool char_range_is_valid(const font_header &h)
{
	return unsigned{h.last_char} + 1 >= h.first_char;
}

// Entries in the width table: zero for an empty font.
constexpr unsigned char_count(const font_header &h)
{
	return unsigned{h.last_char} + 1 - h.first_char;
}

constexpr bool has_width_table(const font_header &h)
{
	return h.spacing == PROPORTIONAL;
}

// Whether korvane joins a font of this height whose glyphs take this many
// bytes by the geometry.
constexpr bool korvane_accepts(unsigned height, std::uint32_t length)
{
	return height <= MAX_HEIGHT && length <= BITMAP_STORE_SIZE;
}
