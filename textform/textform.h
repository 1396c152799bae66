// The zirk text form: a container written out as text a person can read,
// edit and diff, and read back to the same bytes. doc/txt2zirk.1 (FORMAT)
// describes it; zirk2txt writes it and txt2zirk reads it.
#pragma once

#include "../toolkit/input.h"
#include "../zirkfile/zirkfile.h"

#include <array>
#include <string>
#include <string_view>

// The first line of every text, naming the form and its version.
inline constexpr std::string_view TEXT_FORM_LINE = "zirk-text 1";

// Writers append to a string, so that a program can send text out in large
// pieces. The text of a container is the form line, each font in turn, then
// the trailing bytes, if any.
void append_form_line(std::string &out);
// What each code's glyph heading shows beside it, in UTF-8: a character,
// or nothing. The codes' characters in ISO-8859-1 unless a charset or code
// map says otherwise; none for the control characters.
using heading_characters = std::array<std::string, 256>;
const heading_characters &latin1_headings();

// Font number counts from 1 in the order written; a font taken out of a
// larger container names its number there, from_input, in a comment.
void append_font(std::string &out, const font_record &font, unsigned number, unsigned from_input = 0,
                 const heading_characters &shown = latin1_headings());
// The bytes after the last record; nothing when there are none. A long run
// can be written in pieces: append_trailing for the first, then
// append_hex_lines for the rest, each piece but the last a multiple of 16.
void append_trailing(std::string &out, const unsigned char *bytes, std::size_t size);
void append_hex_lines(std::string &out, const unsigned char *bytes, std::size_t size);
// The whole text of a container held in memory.
std::string container_text(const zirk_container &container);

// One line of zirk2txt --list: what a font is, and whether korvane takes it.
void append_listing(std::string &out, const font_record &font, unsigned number);

// A field as the text shows it: printable ASCII as itself, '"' and '\'
// escaped, any other byte as \xHH.
void append_quoted(std::string &out, const unsigned char *bytes, std::size_t size);

// The most bytes after the last font a text may give: the container is
// built whole in memory before it is written.
inline constexpr std::size_t MAX_TRAILING = std::size_t{16} << 20;

// Reads a whole text and returns the container it describes. Any fault ends
// the run with "FILE:LINE: error: ..."; nothing is returned from a faulty
// text.
zirk_container parse_text(const input_file &text);
