// What each byte code of a font stands for: the characters of a one-byte
// charset, read through the C library's iconv, or of a code map file.
// font2zirk looks glyphs up by them; zirk2bdf and zirk2psf label glyphs
// with them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline constexpr unsigned CODES = 256;

// Per code, the Unicode characters it may stand for, the most wanted first;
// empty where it stands for none.
using code_map = std::array<std::vector<char32_t>, CODES>;

// One character per code the charset defines. An empty name, one iconv does
// not know, or a charset that is not one byte a code is a usage error.
code_map charset_codes(const std::string &name);
// A code map file over base: each code it lists takes the characters it
// gives, the rest keep base's. Faults in the file read
// "FILE:LINE: error: ...".
code_map read_code_map(const std::string &path, code_map base);
// What --charset NAME and --map FILE give together: the charset, the map
// file over it where one is named.
code_map chosen_code_map(const std::string &charset, const std::optional<std::string> &map);

// A code as messages show it: "0x41".
std::string code_notation(unsigned code);
// A character as Unicode writes it: "U+263A", "U+1F600".
std::string unicode_notation(char32_t c);
// A character onto UTF-8 text.
void append_utf8(std::string &out, char32_t c);
// The characters of UTF-8 text; nullopt where it is not valid UTF-8.
std::optional<std::vector<char32_t>> decode_utf8(const unsigned char *bytes, std::size_t size);
// Whether a character is a C0 or C1 control, or DEL.
constexpr bool is_control(char32_t c)
{
	return c < 0x20 || (c >= 0x7f && c < 0xa0);
}

// Each character at one code: the code that names it earliest in its list of
// characters, the lower code on a tie. Per code, the characters it owns, in
// its list's order; empty for a code that owns none. Exports label glyphs
// by it, so that no character stands for two codes.
code_map owned_characters(const code_map &map);
