// Containers as the device library sees them: what zirkfont refuses, the
// toolkit programs that use it refuse too, in the words every program uses
// for such faults and with the offset of the record at fault.
#pragma once

#include "zirkfont.h"

#include "../charmap/charmap.h"

#include <string>
#include <vector>

struct device_container {
	std::string path;  // as messages show it
	std::vector<unsigned char> bytes;
	zf_container fonts{};
};

// Reads the whole file ("-" for standard input) and opens it with zf_open;
// a container it refuses ends the run:
// "PROGRAM: FILE: font 2 is truncated (its record begins at byte 1432)".
device_container open_device_container(const std::string &path);

// The same words for a fault zf_open found at offset at of bytes.
std::string device_fault(const std::vector<unsigned char> &bytes, zf_error error, std::size_t at);

// A code map as zirkfont takes it: every character the map gives a code, at
// the code that owns it (owned_characters), in ascending order of character.
struct device_map {
	std::vector<std::uint32_t> chars;
	std::vector<std::uint8_t> codes;
	zf_charmap map() const { return {chars.data(), codes.data(), chars.size()}; }
};
device_map device_code_map(const code_map &codes);
