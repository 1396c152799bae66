// Small pieces of text every toolkit program builds the same way.
#pragma once

#include "../format/zirk_format.h"

#include <cstdint>
#include <string>
#include <string_view>

// "1 glyph", "2 glyphs".
std::string plural(std::uint64_t n, std::string_view one, std::string_view many);
// Two lower-case hex digits.
void append_hex_byte(std::string &out, unsigned char byte);
// A record's name as a terminal may show it: the bytes before the first
// zero, control bytes as '?' so that a hostile name cannot drive the
// terminal. The record keeps its bytes.
std::string shown_name(const font_header &header);
// What a person typed, for a message: control bytes as \xHH.
std::string shown_text(std::string_view typed);
