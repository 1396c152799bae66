// The zirk font container: its layout, the one font store every font passes
// through, and the three operations on containers (probe, load, write).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
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
// is wider than a byte; it is held in host order while in memory.
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

// The current font. Entries outside first_char..last_char keep whatever
// earlier fonts left there; bitmap_read says how much of the block this
// font's file really held, so the writer never mistakes old bytes for new.
struct font_store_layout {
	font_header header;
	std::array<unsigned char, CHAR_CODES> widths;
	std::array<unsigned char, CHAR_CODES> row_bytes;
	std::array<unsigned char, BITMAP_STORE_SIZE> bitmap;
	std::size_t bitmap_read;

	// Where the current font's record ends, and in which file. The next font
	// of the same file is read from there rather than by walking every record
	// before it again, which would make a join quadratic in its fonts.
	std::array<char, FILENAME_MAX> loaded_path;
	unsigned loaded_font;
	long record_end;
};

extern font_store_layout font_store;

bool host_is_big_endian();
void swap_u16(std::uint16_t &value);

// Bytes one glyph row of a character this many pixels wide takes.
constexpr unsigned row_bytes_for_width(unsigned width)
{
	return (width + 7) / 8;
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

// The consistent length of the stored font's bitmap block, from its range,
// row bytes and height. Even 256 codes of 32 row bytes and 255 rows stay far
// below 2^32, so the sum never wraps.
std::uint32_t bitmap_length(const font_store_layout &store);

[[noreturn]] void fail(const char *message);
// Must come before anything is written to standard output.
void buffer_output();
void write_output(const void *bytes, std::size_t size);
void finish_output();

unsigned probe_container(const char *path);
void load_font(const char *path, unsigned n);
void write_font();
