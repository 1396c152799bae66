// The grammar of the text form: the form line, then fonts of header fields
// and glyphs, each font's surplus, and the trailing bytes.
#include "textform.h"

#include "lexer.h"
#include "rows.h"

#include "../toolkit/command_line.h"
#include "../toolkit/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstddef>
#include <optional>

namespace {

// The header fields, in the order the text gives them.
enum class field_kind {
	name,      // in double quotes, with escapes, up to size bytes
	spacing,   // one byte, printable or \xHH
	hex,       // size bytes in hex
	number,    // one byte as a number
	char_code  // one byte as a number, decimal or hex
};

struct header_field {
	std::string_view key;
	field_kind kind;
	std::size_t offset;  // in font_header
	std::size_t size;
	std::string_view form;  // what the value should look like
};

constexpr std::string_view BYTE_FORM = "a number from 0 to 255";

const std::array<header_field, 7> FIELDS{{
	{"name", field_kind::name, offsetof(font_header, name), NAME_SIZE, "a name in double quotes"},
	{"spacing", field_kind::spacing, offsetof(font_header, spacing), 1, "one printable character or \\xHH"},
	{"reserved", field_kind::hex, offsetof(font_header, uninterpreted), 3, "three bytes in hex, such as 00 00 00"},
	{"fixed_width", field_kind::number, offsetof(font_header, fixed_width), 1, BYTE_FORM},
	{"height", field_kind::number, offsetof(font_header, height), 1, BYTE_FORM},
	{"first_char", field_kind::char_code, offsetof(font_header, first_char), 1, BYTE_FORM},
	{"last_char", field_kind::char_code, offsetof(font_header, last_char), 1, BYTE_FORM},
}};

class text_parser {
public:
	explicit text_parser(const input_file &in) : lex_(in) {}

	zirk_container parse()
	{
		lex_.form_line();
		zirk_container container;
		while (next()) {
			if (first_word(lex_.line()) == "font") {
				font(container);
			} else if (lex_.line() == "trailing:") {
				trailing(container.trailing);
				if (next())
					unexpected("bytes in hex or the end of the file after 'trailing:'");
			} else {
				unexpected(after_fonts(container.fonts.size()));
			}
		}
		return container;
	}

private:
	[[noreturn]] void fail(const std::string &what) const { lex_.fail(what); }
	[[noreturn]] void unexpected(const std::string &expected) const { lex_.unexpected(expected); }
	bool next() { return lex_.next(); }

	// What may follow the given number of fonts.
	static std::string after_fonts(std::size_t fonts)
	{
		if (fonts == MAX_FONTS)
			return "'trailing:' or the end of the file";
		return "'font N', 'trailing:' or the end of the file";
	}

	// A font's number is the text's own: fonts stand in the order given,
	// whatever their numbers.
	unsigned font_number(std::size_t fonts)
	{
		const std::string_view given = after_first_word(lex_.line());
		const std::optional<unsigned> n = text_number(given, false);
		if (!n)
			fail("font number " + quoted(given) + " is not a number, expected 1 to 255");
		if (*n < 1 || *n > MAX_FONTS)
			fail("font number " + std::string(given) + " is out of range, expected 1 to 255");
		if (fonts == MAX_FONTS)
			fail("more than " + std::to_string(MAX_FONTS) + " fonts, expected at most " +
			     std::to_string(MAX_FONTS) + " (a container counts its fonts in one byte)");
		return *n;
	}

	void font(zirk_container &container)
	{
		const unsigned number_in_text = font_number(container.fonts.size());
		font_record font;
		font_header &h = font.header;
		auto *header = reinterpret_cast<unsigned char *>(&h);
		for (const header_field &f : FIELDS)
			field_value(f, header + f.offset);
		if (!char_range_is_valid(h))
			fail("last_char " + std::to_string(h.last_char) + " is more than one below first_char " +
			     std::to_string(h.first_char) + ", expected at least " + std::to_string(h.first_char - 1U));

		glyph_block block(font.bitmap, number_in_text);
		for (unsigned code = h.first_char; code <= h.last_char; code++)
			glyph(font, block, code);
		const std::string after = "'surplus:' or " + after_fonts(container.fonts.size() + 1);
		if (next()) {
			if (lex_.line() == "surplus:") {
				if (block.missing())
					fail("surplus bytes after missing glyph bytes, expected none: a block that ends "
					     "within the glyphs has no surplus");
				while (hex_line(font.bitmap))
					block.check_surplus(lex_.lines());
			} else if (first_word(lex_.line()) == "glyph") {
				fail("glyph beyond last_char " + std::to_string(h.last_char) + ", expected " + after);
			} else if (is_row(lex_.line())) {
				fail("a row after the " + std::to_string(rows_of_last_) + " rows of glyph " +
				     std::to_string(h.last_char) + ", expected " + after);
			} else {
				lex_.keep();
			}
		}
		h.bitmap_size = static_cast<std::uint16_t>(font.bitmap.size());
		font.bitmap.shrink_to_fit();
		container.fonts.push_back(std::move(font));
	}

	// The value of a header field, which must come next, into its bytes.
	void field_value(const header_field &f, unsigned char *bytes)
	{
		// Appended piece by piece: GCC 12 at -O3 takes "'" + std::string for
		// an overlapping copy.
		std::string expected = "'";
		expected.append(f.key).append(":'");
		if (!next())
			unexpected(expected);
		const std::size_t colon = lex_.line().find(':');
		const std::string_view key = lex_.line().substr(0, colon);
		if (colon == std::string_view::npos || key.empty() ||
		    key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") != std::string_view::npos)
			unexpected(expected);
		if (key != f.key) {
			const bool known = std::any_of(FIELDS.begin(), FIELDS.end(),
			                               [&](const header_field &other) { return other.key == key; });
			fail((known ? "field '" : "unknown field '") + std::string(key) + ":'" +
			     (known ? " out of order" : "") + ", expected " + expected);
		}
		const std::string_view value = strip(lex_.line().substr(colon + 1));
		if (value.empty())
			fail("no value for '" + std::string(key) + ":', expected " + std::string(f.form));
		switch (f.kind) {
		case field_kind::name: name(value, bytes); break;
		case field_kind::spacing: *bytes = spacing(value, f); break;
		case field_kind::hex: hex_bytes(value, f, bytes); break;
		case field_kind::number:
		case field_kind::char_code: *bytes = byte_number(value, f); break;
		}
	}

	void name(std::string_view v, unsigned char *bytes) const
	{
		if (v.front() != '"')
			fail("name " + quoted(v) + " is not in double quotes, expected \"...\"");
		std::size_t size = 0;
		std::size_t i = 1;
		for (;;) {
			if (i == v.size())
				fail("name has no closing quote, expected \"...\"");
			char c = v[i++];
			if (c == '"')
				break;
			if (c == '\\') {
				const char e = i < v.size() ? v[i++] : ' ';
				if (e == 'x' && i + 2 <= v.size() && hex_byte(v.substr(i, 2))) {
					c = static_cast<char>(*hex_byte(v.substr(i, 2)));
					i += 2;
				} else if (e != '"' && e != '\\') {
					fail("escape '\\" + std::string(1, e) +
					     "' in the name, expected \\\", \\\\ or \\xHH");
				} else {
					c = e;
				}
			} else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
				std::string hex = "\\x";
				append_hex_byte(hex, static_cast<unsigned char>(c));
				fail("byte " + hex + " in the name, expected printable ASCII or \\xHH");
			}
			if (size == NAME_SIZE)
				fail("name longer than " + std::to_string(NAME_SIZE) + " bytes, expected at most " +
				     std::to_string(NAME_SIZE));
			bytes[size++] = static_cast<unsigned char>(c);
		}
		if (i != v.size())
			fail("text after the name's closing quote, expected the end of the line");
	}

	unsigned char spacing(std::string_view v, const header_field &f) const
	{
		if (v.size() == 1 && v[0] != '\\' && static_cast<unsigned char>(v[0]) > 0x20 &&
		    static_cast<unsigned char>(v[0]) < 0x7f)
			return static_cast<unsigned char>(v[0]);
		if (v.size() == 4 && v.substr(0, 2) == "\\x" && hex_byte(v.substr(2)))
			return *hex_byte(v.substr(2));
		fail("spacing " + quoted(v) + " is not one byte, expected " + std::string(f.form));
	}

	void hex_bytes(std::string_view v, const header_field &f, unsigned char *bytes) const
	{
		std::string_view rest = v;
		for (std::size_t i = 0; i < f.size; i++) {
			const std::optional<unsigned char> value = hex_byte(first_word(rest));
			if (!value)
				break;
			bytes[i] = *value;
			rest = after_first_word(rest);
			if (i + 1 == f.size && rest.empty())
				return;
		}
		fail(std::string(f.key) + " " + quoted(v) + " is not three bytes, expected " + std::string(f.form));
	}

	unsigned char byte_number(std::string_view v, const header_field &f) const
	{
		const std::optional<unsigned> value = text_number(v, f.kind == field_kind::char_code);
		const std::string key(f.key);
		if (!value)
			fail(key + " " + quoted(v) + " is not a number, expected " + std::string(f.form));
		if (*value > 255)
			fail(key + " " + std::string(v) + " does not fit in a byte, expected " + std::string(f.form));
		return static_cast<unsigned char>(*value);
	}

	std::string glyph_expected(const font_record &font, unsigned code) const
	{
		std::string text = "glyph " + std::to_string(code);
		if (code > font.header.first_char)
			text += " after the " + std::to_string(rows_of_last_) + " rows of glyph " +
			        std::to_string(code - 1);
		return text + " (the glyphs run to last_char " + std::to_string(font.header.last_char) + ")";
	}

	void glyph(font_record &font, glyph_block &block, unsigned code)
	{
		if (!next() || first_word(lex_.line()) != "glyph")
			unexpected(glyph_expected(font, code));
		const unsigned width = heading(font, code);
		const unsigned rows = row_bytes_for_width(width) == 0 ? 0 : font.header.height;
		for (unsigned r = 1; r <= rows; r++) {
			std::string_view line;
			if (!lex_.kept() && lex_.lines().peek(width, line) && block.plain_row(line, width)) {
				lex_.lines().skip(width);
				continue;
			}
			if (!next() || !is_row(lex_.line()))
				unexpected("row " + std::to_string(r) + " of " + std::to_string(rows) + " of glyph " +
				           std::to_string(code));
			if (!block.plain_row(lex_.line(), width))
				block.row(lex_.lines(), lex_.line(), code, width);
		}
		rows_of_last_ = rows;
	}

	// Checks a glyph heading and returns the glyph's width.
	unsigned heading(font_record &font, unsigned code)
	{
		const bool table = has_width_table(font.header);
		const std::string &character = latin1_headings()[code];
		auto canonical = [&] {
			return "'glyph " + std::to_string(code) + (character.empty() ? "" : " '" + character + "'") +
			       (table ? " width N'" : "'");
		};

		std::string_view rest = after_first_word(lex_.line());
		const std::optional<unsigned> decimal = text_number(first_word(rest), false);
		if (!decimal)
			fail("glyph heading " + quoted(lex_.line()) + " has no code, expected " + canonical());
		if (*decimal != code)
			fail("glyph " + std::string(first_word(rest)) + " out of order, expected glyph " +
			     std::to_string(code) + " (the glyphs run from first_char to last_char, none missing)");
		rest = after_first_word(rest);
		if (rest.starts_with("0x") || rest.starts_with("0X")) {
			const std::optional<unsigned> hex = text_number(first_word(rest), true);
			if (!hex || *hex != code)
				fail(quoted(first_word(rest)) + " does not match glyph " + std::to_string(code) +
				     ", expected its code in hex");
			rest = after_first_word(rest);
		}
		rest = heading_character(rest, code);
		const unsigned width = heading_width(font, rest, code);
		if (!rest.empty())
			fail("unexpected " + quoted(rest) + " in the heading of glyph " + std::to_string(code) +
			     ", expected " + canonical());
		return width;
	}

	// The character after the code, if given: any one character, as the
	// charset or code map zirk2txt was given shows the code. Returns what
	// follows it.
	std::string_view heading_character(std::string_view rest, unsigned code) const
	{
		if (!rest.starts_with('\''))
			return rest;
		const std::size_t size = utf8_character_size(rest.substr(1));
		if (size == 0 || rest.size() < size + 2 || rest[size + 1] != '\'') {
			const std::size_t close = rest.find('\'', 1);
			fail("unexpected " +
			     quoted(rest.substr(0, close == std::string_view::npos ? rest.size() : close + 1)) +
			     " in the heading of glyph " + std::to_string(code) +
			     ", expected one character in UTF-8 between single quotes");
		}
		return strip(rest.substr(size + 2));
	}

	// The width at the end of a heading, which a font with a width table
	// needs and any other font must not have; rest becomes what follows it.
	unsigned heading_width(font_record &font, std::string_view &rest, unsigned code) const
	{
		const bool table = has_width_table(font.header);
		if (first_word(rest) != "width") {
			if (table && rest.empty())
				fail("no width in the heading of glyph " + std::to_string(code) +
				     " of a font with a width table, expected 'width N' at its end");
			return font.header.fixed_width;
		}
		if (!table)
			fail("a width in the heading of a font without a width table (spacing not P), "
			     "expected none");
		const std::string_view w = first_word(after_first_word(rest));
		const std::optional<unsigned> value = text_number(w, false);
		if (!value)
			fail("width " + quoted(w) + " is not a number, expected 0 to 255");
		if (*value > 255)
			fail("width " + std::string(w) + " does not fit in a byte, expected 0 to 255");
		font.widths.push_back(static_cast<unsigned char>(*value));
		rest = after_first_word(after_first_word(rest));
		return *value;
	}

	// The bytes of the next line in hex, onto bytes; false at the end of the
	// file or at a line that opens a section.
	bool hex_line(std::vector<unsigned char> &bytes)
	{
		if (!next())
			return false;
		if (first_word(lex_.line()) == "font" || lex_.line() == "trailing:" || lex_.line() == "surplus:") {
			lex_.keep();
			return false;
		}
		for (std::string_view rest = lex_.line(); !rest.empty(); rest = after_first_word(rest)) {
			const std::string_view word = first_word(rest);
			const std::optional<unsigned char> b = hex_byte(word);
			if (!b)
				fail(quoted(word) + " is not a byte in hex, expected two hex digits");
			bytes.push_back(*b);
		}
		return true;
	}

	void trailing(std::vector<unsigned char> &bytes)
	{
		while (hex_line(bytes))
			if (bytes.size() > MAX_TRAILING)
				fail("more than " + std::to_string(MAX_TRAILING) +
				     " trailing bytes, expected at most " + std::to_string(MAX_TRAILING) +
				     " (txt2zirk holds the whole container)");
	}

	text_lexer lex_;
	unsigned rows_of_last_ = 0;
};

}  // namespace

zirk_container parse_text(const input_file &text)
{
	return text_parser(text).parse();
}
