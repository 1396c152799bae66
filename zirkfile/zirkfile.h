// Whole zirk containers for the toolkit programs: one reader and one writer,
// on the layout and geometry of format/zirk_format.h. Unlike korvane's store,
// a record here is held exactly as it lies in the file, stored length,
// surplus bytes and all, so that nothing is lost between reading and writing.
#pragma once

#include "../format/zirk_format.h"
#include "../toolkit/input.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct font_record {
	// As in the file, but for bitmap_size, which is in host order.
	font_header header{};
	// One width per code first_char..last_char for a font with a width
	// table; empty for any other.
	std::vector<unsigned char> widths;
	// The stored block: bitmap_size bytes, whatever the geometry says.
	std::vector<unsigned char> bitmap;
};

// Pixel width of a covered code.
unsigned glyph_width(const font_record &font, unsigned code);
// Bytes one glyph of a covered code takes in the block.
std::uint32_t glyph_bytes(const font_record &font, unsigned code);
// Where the glyph of a covered code begins in the block, by the geometry;
// it may lie at or beyond the end of a short block.
std::uint32_t glyph_offset(const font_record &font, unsigned code);
// The length the geometry gives the block. It can exceed what bitmap_size
// counts; the sum stays far below 2^32.
std::uint32_t geometry_length(const font_record &font);
// Whether korvane would join this font as it stands.
bool korvane_takes(const font_record &font);

// Reads a container front to back, one record at a time, so that a program
// need never hold more than one font. Every fault ends the run with
// korvane's own words for it, after the file and the font at fault:
// "PROGRAM: fonts.zirk: font 3 is truncated".
struct container_reader {
	std::unique_ptr<input_file> input;
	unsigned count = 0;  // fonts the container header promises
	unsigned read = 0;   // fonts read so far
};

// "-" or an empty path reads standard input.
container_reader open_container(const std::string &path);
// A stream the caller opened and closes, such as fmemopen() of a container
// compiled into a program; name stands for it in messages.
container_reader open_container_stream(std::FILE *file, const std::string &name);
// Reads the next record into font; false once all count records are read.
bool read_font(container_reader &reader, font_record &font);
// After the last record: every byte the file still holds.
std::vector<unsigned char> read_trailing(container_reader &reader);
// The same in pieces, for a program that streams: fills up to size bytes
// and returns how many; 0 once the file is read to its end.
std::size_t read_more(const container_reader &reader, unsigned char *bytes, std::size_t size);
void close_container(container_reader &reader);

// A whole container in memory, for programs that need every font at once.
struct zirk_container {
	std::vector<font_record> fonts;
	std::vector<unsigned char> trailing;  // bytes after the last record
};

zirk_container read_container(const std::string &path);

// The writer appends to a byte string, so a program can check everything
// before the first byte leaves; toolkit/output.h sends it on.
void append_container_header(std::vector<unsigned char> &out, unsigned count);
// Writes the record as it stands, bitmap_size included: callers that want
// the consistent length set it from geometry_length first.
void append_record(std::vector<unsigned char> &out, const font_record &font);
std::vector<unsigned char> container_bytes(const zirk_container &container);
