// Builds zirk containers byte by byte for the tests, so that every fixture
// can be read in the test that uses it. Bytes are held in std::string.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct test_font {
	std::string name = "test";  // zero-padded to 16 bytes; longer names are cut
	char spacing = 'F';         // 'P' gives the record a width table
	std::array<std::uint8_t, 3> uninterpreted{0x11, 0x22, 0x33};
	std::uint8_t fixed_width = 8;
	std::uint8_t height = 8;
	std::uint8_t first_char = 'A';
	std::uint8_t last_char = 'C';
	// For 'P': one width per code first_char..last_char. Left empty, every
	// code gets fixed_width.
	std::vector<std::uint8_t> widths;
	// Left unset: pattern(consistent_length(font), seed).
	std::optional<std::string> bitmap;
	std::uint8_t seed = 1;
	// The stored bitmap_size; left unset, the length of the bitmap.
	std::optional<std::uint16_t> bitmap_size;
};

// The length the font's geometry gives its bitmap block.
std::size_t consistent_length(const test_font &font);

// n bytes that differ from font to font (by seed) and from place to place, so
// that a misplaced or stale byte shows.
std::string pattern(std::size_t n, std::uint8_t seed);

std::string le16(std::uint16_t value);
std::string header_bytes(const test_font &font);
std::string width_table(const test_font &font);  // empty unless spacing is 'P'
std::string bitmap_bytes(const test_font &font);
std::string record(const test_font &font);

// Magic, the count byte, then the bytes that follow it.
std::string container_with_count(std::uint8_t count, const std::string &records);
// Magic, records.size() as count, then the records.
std::string container(const std::vector<std::string> &records);
// The same, from fonts.
std::string container_of(const std::vector<test_font> &fonts);

// A file a generator program writes: its path under the output directory
// (subdirectories are made as needed) and its bytes.
struct generated_file {
	std::string name;
	std::string bytes;
};

// The whole of a generator's main: writes every file make() returns into the
// directory named by the only argument. On any failure it says what went
// wrong on standard error and returns 1; otherwise 0.
int write_generated_files(int argc, char **argv, const std::function<std::vector<generated_file>()> &make);
