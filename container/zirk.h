// The zirk font container: its layout, the one font store every font passes
// through, and the three operations on containers (probe, load, write).
#pragma once

#include "../format/zirk_format.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>

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
