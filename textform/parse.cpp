#include "textform.h"

#include "fatal.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Longer lines can only be comments: no line of the form is this long.
constexpr std::size_t LINE_LIMIT = 4096;
constexpr std::size_t CHUNK_SIZE = std::size_t{1} << 16;
// The most bytes a stored bitmap_size counts.
constexpr std::size_t MAX_BLOCK = 0xffff;

bool is_blank(char c)
{
	return c == ' ' || c == '\t';
}

std::string_view strip(std::string_view s)
{
	while (!s.empty() && is_blank(s.front()))
		s.remove_prefix(1);
	while (!s.empty() && is_blank(s.back()))
		s.remove_suffix(1);
	return s;
}

int hex_value(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

// Two hex digits, as every byte of the form is written.
std::optional<unsigned char> hex_byte(std::string_view s)
{
	if (s.size() != 2 || hex_value(s[0]) < 0 || hex_value(s[1]) < 0)
		return std::nullopt;
	return static_cast<unsigned char>(hex_value(s[0]) * 16 + hex_value(s[1]));
}

// A decimal number, or with allow_hex also 0xHH; nullopt for anything else.
// Large values stop growing at a bound far above any field's range.
std::optional<unsigned long> number(std::string_view s, bool allow_hex)
{
	unsigned base = 10;
	if (allow_hex && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
		base = 16;
		s.remove_prefix(2);
	}
	if (s.empty())
		return std::nullopt;
	unsigned long value = 0;
	for (const char c : s) {
		const int digit = base == 16 ? hex_value(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
		if (digit < 0)
			return std::nullopt;
		value = std::min(value * base + static_cast<unsigned>(digit), 1uL << 20);
	}
	return value;
}

std::string to_text(unsigned long value)
{
	return std::to_string(value);
}

// A line as a message shows it: short, and control bytes as \xHH.
std::string quote(std::string_view line)
{
	std::string shown = "'";
	for (const char c : line.substr(0, 40)) {
		if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
			std::string hex;
			append_quoted(hex, reinterpret_cast<const unsigned char *>(&c), 1);
			shown += hex.substr(1, 4);
		} else {
			shown += c;
		}
	}
	return shown + (line.size() > 40 ? "...'" : "'");
}

std::string_view first_word(std::string_view line)
{
	const std::size_t end = line.find_first_of(" \t");
	return line.substr(0, end);
}

// What follows the first word, blanks dropped.
std::string_view after_first_word(std::string_view line)
{
	return strip(line.substr(first_word(line).size()));
}

bool is_row(std::string_view line)
{
	return !line.empty() && (line[0] == '@' || line[0] == '.' || line[0] == '?' || line[0] == '|');
}

// The character a Latin-1 code shows beside it, UTF-8 encoded; empty for
// the codes with no glyph of their own.
std::string latin1_character(unsigned code)
{
	if (code < 0x20 || (code >= 0x7f && code < 0xa0))
		return {};
	if (code < 0x80)
		return std::string(1, static_cast<char>(code));
	return {static_cast<char>(0xc0 | code >> 6), static_cast<char>(0x80 | (code & 0x3f))};
}

// For plain_row: 1 for a set pixel, 0 for a clear one, 2 for anything else.
constexpr std::array<unsigned char, 256> PIXEL_VALUE = [] {
	std::array<unsigned char, 256> values{};
	values.fill(2);
	values['@'] = 1;
	values['.'] = 0;
	return values;
}();

const std::array<std::string_view, 7> FIELDS{"name",   "spacing",    "reserved", "fixed_width",
                                             "height", "first_char", "last_char"};

// The lines of a text, read in large pieces. A line is valid until the next
// call; a line longer than LINE_LIMIT is cut there and flagged.
class line_reader {
public:
	line_reader(std::FILE *in, const std::string &shown_name) : in_(in), name_(shown_name), buffer_(CHUNK_SIZE) {}

	bool next(std::string_view &line, bool &too_long)
	{
		// Most lines lie whole in the buffer.
		if (pos_ < end_) {
			const char *start = buffer_.data() + pos_;
			const auto *lf = static_cast<const char *>(std::memchr(start, '\n', end_ - pos_));
			if (lf != nullptr && lf - start <= static_cast<std::ptrdiff_t>(LINE_LIMIT)) {
				line = std::string_view(start, static_cast<std::size_t>(lf - start));
				pos_ += line.size() + 1;
				too_long = false;
				return true;
			}
		}
		carry_.clear();
		too_long_ = false;
		bool partial = false;
		for (;;) {
			if (pos_ == end_ && !refill()) {
				line = carry_;
				too_long = too_long_;
				return partial;
			}
			const char *start = buffer_.data() + pos_;
			const auto *lf = static_cast<const char *>(std::memchr(start, '\n', end_ - pos_));
			const std::size_t size = lf != nullptr ? static_cast<std::size_t>(lf - start) : end_ - pos_;
			pos_ += size + (lf != nullptr ? 1 : 0);
			if (lf != nullptr && !partial) {
				too_long = size > LINE_LIMIT;
				line = std::string_view(start, std::min(size, LINE_LIMIT));
				return true;
			}
			keep(start, size);
			partial = true;
			if (lf != nullptr) {
				line = carry_;
				too_long = too_long_;
				return true;
			}
		}
	}

	// The next line when it lies whole in the buffer and is exactly size
	// bytes long; it stays unread until skip(). Rows are found this way
	// without a search for their end.
	bool peek(std::size_t size, std::string_view &line) const
	{
		if (end_ - pos_ <= size || buffer_[pos_ + size] != '\n')
			return false;
		line = std::string_view(buffer_.data() + pos_, size);
		return true;
	}

	void skip(std::size_t size) { pos_ += size + 1; }

private:
	bool refill()
	{
		pos_ = 0;
		end_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
		if (end_ == 0 && std::ferror(in_) != 0)
			fatal(name_ + ": error: cannot read: " + std::strerror(errno));
		return end_ > 0;
	}

	void keep(const char *bytes, std::size_t size)
	{
		const std::size_t room = LINE_LIMIT - std::min(carry_.size(), LINE_LIMIT);
		if (size > room)
			too_long_ = true;
		carry_.append(bytes, std::min(size, room));
	}

	std::FILE *in_;
	const std::string &name_;
	std::vector<char> buffer_;
	std::size_t pos_ = 0;
	std::size_t end_ = 0;
	std::string carry_;
	bool too_long_ = false;
};

class text_parser {
public:
	text_parser(std::FILE *in, const std::string &shown_name) : name_(shown_name), reader_(in, shown_name) {}

	zirk_container parse()
	{
		first_line();
		zirk_container container;
		while (next()) {
			if (first_word(line_) == "font") {
				font(container);
			} else if (line_ == "trailing:") {
				hex_lines(container.trailing, nullptr);
				if (next())
					unexpected("bytes in hex or the end of the file after 'trailing:'");
			} else {
				unexpected(after_fonts(container.fonts.size()));
			}
		}
		return container;
	}

private:
	[[noreturn]] void fail(const std::string &what) const
	{
		fatal(name_ + ":" + to_text(number_) + ": error: " + what);
	}

	// Where a line of the wrong kind stands.
	[[noreturn]] void unexpected(const std::string &expected) const
	{
		if (at_end_)
			fail("end of file, expected " + expected);
		fail("unexpected " + quote(line_) + ", expected " + expected);
	}

	// What may follow the given number of fonts.
	static std::string after_fonts(std::size_t fonts)
	{
		if (fonts == MAX_FONTS)
			return "'trailing:' or the end of the file";
		return "'font " + to_text(fonts + 1) + "', 'trailing:' or the end of the file";
	}

	void first_line()
	{
		std::string_view line;
		bool too_long = false;
		number_ = 1;
		if (!reader_.next(line, too_long))
			fail("empty file, expected '" + std::string(TEXT_FORM_LINE) + "'");
		lines_ = 1;
		if (line == TEXT_FORM_LINE)
			return;
		if (!line.empty() && line.back() == '\r')
			fail("line ends in a carriage return, expected LF line ends");
		if (first_word(line) == "zirk-text")
			fail("text form version " + quote(after_first_word(line)) + " is not known, expected '" +
			     std::string(TEXT_FORM_LINE) + "'");
		fail("the first line is " + quote(line) + ", expected '" + std::string(TEXT_FORM_LINE) + "'");
	}

	// The next line that is neither blank nor a comment, blanks around it
	// dropped; false at the end of the file. A line handed back by keep()
	// comes again first.
	bool next()
	{
		if (kept_) {
			kept_ = false;
			return true;
		}
		if (at_end_)
			return false;
		std::string_view line;
		bool too_long = false;
		while (reader_.next(line, too_long)) {
			number_ = ++lines_;
			// A row as zirk2txt writes it needs none of the checks below.
			if (!too_long && !line.empty() && (line.front() == '@' || line.front() == '.') &&
			    (line.back() == '@' || line.back() == '.')) {
				line_ = line;
				return true;
			}
			if (!line.empty() && line.back() == '\r')
				fail("line ends in a carriage return, expected LF line ends");
			line = strip(line);
			if (line.empty() || line.front() == '#')
				continue;
			if (too_long)
				fail("line longer than " + to_text(LINE_LIMIT) +
				     " bytes, expected a line of the text form");
			line_ = line;
			return true;
		}
		at_end_ = true;
		number_ = lines_ + 1;
		line_ = {};
		return false;
	}

	void keep() { kept_ = !at_end_; }

	void font(zirk_container &container)
	{
		const std::optional<unsigned long> n = number(after_first_word(line_), false);
		const std::size_t expected = container.fonts.size() + 1;
		if (!n)
			unexpected(after_fonts(container.fonts.size()));
		if (container.fonts.size() == MAX_FONTS)
			fail("more than " + to_text(MAX_FONTS) + " fonts, expected at most " + to_text(MAX_FONTS) +
			     " (a container counts its fonts in one byte)");
		if (*n != expected)
			fail("font " + to_text(*n) + " out of order, expected font " + to_text(expected));

		fonts_seen_ = expected;
		font_record font;
		font_header &h = font.header;
		h.name = name(field(0));
		h.spacing = spacing(field(1));
		h.uninterpreted = reserved(field(2));
		h.fixed_width = byte_field(field(3), 3);
		h.height = byte_field(field(4), 4);
		h.first_char = byte_field(field(5), 5);
		h.last_char = byte_field(field(6), 6);
		if (!char_range_is_valid(h))
			fail("last_char " + to_text(h.last_char) + " is more than one below first_char " +
			     to_text(h.first_char) + ", expected at least " + to_text(h.first_char - 1U));

		missing_ = false;
		for (unsigned code = h.first_char; code <= h.last_char; code++)
			glyph(font, code);
		if (next()) {
			if (line_ == "surplus:") {
				if (missing_)
					fail("surplus bytes after missing glyph bytes, expected none: a block that "
					     "ends within the glyphs has no surplus");
				hex_lines(font.bitmap, &font);
			} else if (first_word(line_) == "glyph") {
				fail("glyph beyond last_char " + to_text(h.last_char) + ", expected 'surplus:' or " +
				     after_fonts(expected));
			} else if (is_row(line_)) {
				fail("a row after the " + to_text(rows_of_last_) + " rows of glyph " +
				     to_text(h.last_char) + ", expected 'surplus:' or " + after_fonts(expected));
			} else {
				keep();
			}
		}
		h.bitmap_size = static_cast<std::uint16_t>(font.bitmap.size());
		font.bitmap.shrink_to_fit();
		container.fonts.push_back(std::move(font));
	}

	// The value of header field i, which must come next.
	std::string_view field(std::size_t i)
	{
		// Appended piece by piece: GCC 12 at -O3 takes "'" + std::string for
		// an overlapping copy.
		std::string expected = "'";
		expected.append(FIELDS[i]).append(":'");
		if (!next())
			unexpected(expected);
		const std::size_t colon = line_.find(':');
		const std::string_view key = line_.substr(0, colon);
		if (colon == std::string_view::npos || key.empty() ||
		    key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") != std::string_view::npos)
			unexpected(expected);
		if (key != FIELDS[i]) {
			if (std::find(FIELDS.begin(), FIELDS.end(), key) != FIELDS.end())
				fail("field '" + std::string(key) + ":' out of order, expected " + expected);
			fail("unknown field '" + std::string(key) + ":', expected " + expected);
		}
		const std::string_view value = strip(line_.substr(colon + 1));
		if (value.empty())
			fail("no value for '" + std::string(key) + ":', expected " + value_form(i));
		return value;
	}

	static std::string value_form(std::size_t i)
	{
		switch (i) {
		case 0: return "a name in double quotes";
		case 1: return "one printable character or \\xHH";
		case 2: return "three bytes in hex, such as 00 00 00";
		default: return "a number from 0 to 255";
		}
	}

	std::array<unsigned char, NAME_SIZE> name(std::string_view v) const
	{
		std::array<unsigned char, NAME_SIZE> bytes{};
		if (v.front() != '"')
			fail("name " + quote(v) + " is not in double quotes, expected \"...\"");
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
				std::string hex;
				append_quoted(hex, reinterpret_cast<const unsigned char *>(&c), 1);
				fail("byte " + hex.substr(1, 4) + " in the name, expected printable ASCII or \\xHH");
			}
			if (size == NAME_SIZE)
				fail("name longer than " + to_text(NAME_SIZE) + " bytes, expected at most " +
				     to_text(NAME_SIZE));
			bytes[size++] = static_cast<unsigned char>(c);
		}
		if (i != v.size())
			fail("text after the name's closing quote, expected the end of the line");
		return bytes;
	}

	unsigned char spacing(std::string_view v) const
	{
		if (v.size() == 1 && v[0] != '\\' && static_cast<unsigned char>(v[0]) > 0x20 &&
		    static_cast<unsigned char>(v[0]) < 0x7f)
			return static_cast<unsigned char>(v[0]);
		if (v.size() == 4 && v.substr(0, 2) == "\\x" && hex_byte(v.substr(2)))
			return *hex_byte(v.substr(2));
		fail("spacing " + quote(v) + " is not one byte, expected " + value_form(1));
	}

	std::array<unsigned char, 3> reserved(std::string_view v) const
	{
		std::array<unsigned char, 3> bytes{};
		std::string_view rest = v;
		for (unsigned char &b : bytes) {
			const std::string_view word = first_word(rest);
			const std::optional<unsigned char> value = hex_byte(word);
			if (!value)
				fail("reserved " + quote(v) + " is not three bytes, expected " + value_form(2));
			b = *value;
			rest = after_first_word(rest);
		}
		if (!rest.empty())
			fail("reserved " + quote(v) + " is not three bytes, expected " + value_form(2));
		return bytes;
	}

	unsigned char byte_field(std::string_view v, std::size_t i) const
	{
		const std::string key(FIELDS[i]);
		const std::optional<unsigned long> value = number(v, key == "first_char" || key == "last_char");
		if (!value)
			fail(key + " " + quote(v) + " is not a number, expected " + value_form(i));
		if (*value > 255)
			fail(key + " " + std::string(v) + " does not fit in a byte, expected " + value_form(i));
		return static_cast<unsigned char>(*value);
	}

	std::string glyph_expected(const font_record &font, unsigned code) const
	{
		std::string text = "glyph " + to_text(code);
		if (code > font.header.first_char)
			text += " after the " + to_text(rows_of_last_) + " rows of glyph " + to_text(code - 1);
		return text + " (the glyphs run to last_char " + to_text(font.header.last_char) + ")";
	}

	void glyph(font_record &font, unsigned code)
	{
		if (!next() || first_word(line_) != "glyph")
			unexpected(glyph_expected(font, code));
		const unsigned width = heading(font, code);
		const unsigned rows = row_bytes_for_width(width) == 0 ? 0 : font.header.height;
		for (unsigned r = 1; r <= rows; r++) {
			std::string_view line;
			if (!kept_ && reader_.peek(width, line) && plain_row(font, line, width)) {
				reader_.skip(width);
				number_ = ++lines_;
				continue;
			}
			if (!next() || !is_row(line_))
				unexpected("row " + to_text(r) + " of " + to_text(rows) + " of glyph " + to_text(code));
			if (!plain_row(font, line_, width))
				row(font, code, width);
		}
		rows_of_last_ = rows;
	}

	// Checks a glyph heading and returns the glyph's width.
	unsigned heading(font_record &font, unsigned code)
	{
		const bool table = has_width_table(font.header);
		const std::string character = latin1_character(code);
		auto canonical = [&] {
			return "'glyph " + to_text(code) + (character.empty() ? "" : " '" + character + "'") +
			       (table ? " width N'" : "'");
		};

		std::string_view rest = after_first_word(line_);
		const std::optional<unsigned long> decimal = number(first_word(rest), false);
		if (!decimal)
			fail("glyph heading " + quote(line_) + " has no code, expected " + canonical());
		if (*decimal != code)
			fail("glyph " + to_text(*decimal) + " out of order, expected glyph " + to_text(code) +
			     " (the glyphs run from first_char to last_char, none missing)");
		rest = after_first_word(rest);
		if (rest.starts_with("0x") || rest.starts_with("0X")) {
			const std::optional<unsigned long> hex = number(first_word(rest), true);
			if (!hex || *hex != code)
				fail(quote(first_word(rest)) + " does not match glyph " + to_text(code) +
				     ", expected its code in hex");
			rest = after_first_word(rest);
		}
		rest = heading_character(rest, code, character);
		const unsigned width = heading_width(font, rest, code);
		if (!rest.empty())
			fail("unexpected " + quote(rest) + " in the heading of glyph " + to_text(code) + ", expected " +
			     canonical());
		return width;
	}

	// The character after the code, if given; returns what follows it.
	std::string_view heading_character(std::string_view rest, unsigned code, const std::string &character) const
	{
		if (!rest.starts_with('\''))
			return rest;
		if (character.empty())
			fail("a character in the heading of glyph " + to_text(code) +
			     ", which has none printable, expected none");
		if (!rest.starts_with("'" + character + "'")) {
			const std::size_t close = rest.find('\'', 2);
			fail("character " +
			     std::string(rest.substr(0, close == std::string_view::npos ? rest.size() : close + 1)) +
			     " does not match glyph " + to_text(code) + ", expected '" + character + "'");
		}
		return strip(rest.substr(character.size() + 2));
	}

	// The width at the end of a heading, which a font with a width table
	// needs and any other font must not have; rest becomes what follows it.
	unsigned heading_width(font_record &font, std::string_view &rest, unsigned code) const
	{
		const bool table = has_width_table(font.header);
		if (first_word(rest) != "width") {
			if (table && rest.empty())
				fail("no width in the heading of glyph " + to_text(code) +
				     " of a font with a width table, expected 'width N' at its end");
			return font.header.fixed_width;
		}
		if (!table)
			fail("a width in the heading of a font without a width table (spacing not P), "
			     "expected none");
		const std::string_view w = after_first_word(rest);
		const std::optional<unsigned long> value = number(first_word(w), false);
		if (!value)
			fail("width " + quote(first_word(w)) + " is not a number, expected 0 to 255");
		if (*value > 255)
			fail("width " + to_text(*value) + " does not fit in a byte, expected 0 to 255");
		font.widths.push_back(static_cast<unsigned char>(*value));
		rest = after_first_word(w);
		return static_cast<unsigned>(*value);
	}

	// Up to 8 pixels as the low bits of a byte, the first the highest; bad
	// gains bit 1 for anything but '@' and '.'.
	static unsigned char pixel_byte(const char *p, unsigned count, unsigned &bad)
	{
		unsigned byte = 0;
		for (unsigned i = 0; i < count; i++) {
			const unsigned v = PIXEL_VALUE[static_cast<unsigned char>(p[i])];
			bad |= v;
			byte = byte << 1 | (v & 1U);
		}
		return static_cast<unsigned char>(byte);
	}

	// pixel_byte for 8 pixels at once, a byte of the row in each byte of a
	// word: '.' leaves 0 and '@' 0x6e after the xor, and bit 6 tells them
	// apart; the multiplication gathers those bits, the first pixel highest.
	static unsigned char eight_pixels(const char *p, unsigned &bad)
	{
		constexpr std::uint64_t ONES = 0x0101010101010101U;
		std::uint64_t word = 0;
		std::memcpy(&word, p, sizeof word);
		const std::uint64_t diff = word ^ (ONES * '.');
		const std::uint64_t set = diff >> 6 & ONES;
		if (diff != set * ('@' ^ '.'))
			bad |= 2U;
		constexpr std::uint64_t GATHER =
			std::endian::native == std::endian::little ? 0x8040201008040201U : 0x0102040810204080U;
		return static_cast<unsigned char>(set * GATHER >> 56);
	}

	// The common row, exactly as wide as its glyph and of nothing but '@' and
	// '.', taken at speed; false leaves any other to row().
	bool plain_row(font_record &font, std::string_view line, unsigned width) const
	{
		if (line.size() != width || missing_)
			return false;
		std::array<unsigned char, 32> bytes{};
		unsigned bad = 0;
		const char *p = line.data();
		const unsigned full = width / 8;
		for (unsigned k = 0; k < full; k++, p += 8)
			bytes[k] = eight_pixels(p, bad);
		if (width % 8 != 0)
			bytes[full] = static_cast<unsigned char>(pixel_byte(p, width % 8, bad) << (8 - width % 8));
		const unsigned row_bytes = row_bytes_for_width(width);
		if ((bad & 2U) != 0 || font.bitmap.size() + row_bytes > MAX_BLOCK)
			return false;
		if (row_bytes == 1)
			font.bitmap.push_back(bytes[0]);
		else
			font.bitmap.insert(font.bitmap.end(), bytes.begin(), bytes.begin() + row_bytes);
		return true;
	}

	// One row of pixels: its bytes, padding included, go into the block;
	// a byte shown as '?' is one the block does not hold.
	void row(font_record &font, unsigned code, unsigned width)
	{
		const std::size_t bar = std::min(line_.find('|'), line_.size());
		const unsigned row_bytes = row_bytes_for_width(width);
		for (std::size_t i = 0; i < bar; i++)
			if (const char c = line_[i]; c != '@' && c != '.' && c != '?')
				fail(quote(std::string_view(&line_[i], 1)) + " in a row, expected '@', '.' or '?'");
		if (bar != width)
			fail("row of " + to_text(bar) + (bar == 1 ? " pixel" : " pixels") + ", expected " +
			     to_text(width) + " (glyph " + to_text(code) + " is " + to_text(width) + " wide)");

		for (unsigned k = 0; k < row_bytes; k++) {
			const std::string_view pixels = line_.substr(std::size_t{k} * 8, std::min(8U, width - k * 8));
			const auto unknown = static_cast<std::size_t>(std::count(pixels.begin(), pixels.end(), '?'));
			if (unknown == pixels.size()) {
				missing_ = true;
				continue;
			}
			if (unknown != 0)
				fail("'?' and pixels in one byte, expected a byte all '?' or none");
			if (missing_)
				fail("a pixel after a missing glyph byte, expected '?': once a byte is missing, so "
				     "is every later one");
			unsigned byte = 0;
			for (std::size_t i = 0; i < pixels.size(); i++)
				if (pixels[i] == '@')
					byte |= 0x80U >> i;
			if (k + 1 == row_bytes && bar < line_.size())
				byte |= padding(width);
			font.bitmap.push_back(static_cast<unsigned char>(byte));
		}
		if (bar < line_.size() && missing_)
			fail("padding after a missing byte, expected none");
		if (font.bitmap.size() > MAX_BLOCK)
			fail("more than " + to_text(MAX_BLOCK) + " bytes in the block of font " + font_number() +
			     ", more than bitmap_size can count, expected at most " + to_text(MAX_BLOCK) +
			     " (a byte not held is '?')");
	}

	// The bits after '|' of the current row, in their places in its last byte.
	unsigned padding(unsigned width) const
	{
		const std::string_view bits = line_.substr(width + 1);
		const unsigned expected = row_bytes_for_width(width) * 8 - width;
		if (bits.size() != expected)
			fail(to_text(bits.size()) + " padding bits after '|', expected " + to_text(expected));
		unsigned byte = 0;
		for (std::size_t i = 0; i < bits.size(); i++) {
			if (bits[i] != '@' && bits[i] != '.')
				fail(quote(bits.substr(i, 1)) + " in the padding, expected '@' or '.'");
			if (bits[i] == '@')
				byte |= 0x80U >> (width % 8 + i);
		}
		return byte;
	}

	std::string font_number() const { return to_text(fonts_seen_); }

	// Lines of bytes in hex, until a line that opens a section. For a font's
	// surplus, font is the record whose block they extend.
	void hex_lines(std::vector<unsigned char> &bytes, const font_record *font)
	{
		while (next()) {
			if (first_word(line_) == "font" || line_ == "trailing:" || line_ == "surplus:") {
				keep();
				return;
			}
			for (std::string_view rest = line_; !rest.empty(); rest = after_first_word(rest)) {
				const std::optional<unsigned char> b = hex_byte(first_word(rest));
				if (!b)
					fail(quote(first_word(rest)) +
					     " is not a byte in hex, expected two hex digits");
				bytes.push_back(*b);
			}
			if (font != nullptr && bytes.size() > MAX_BLOCK)
				fail("more than " + to_text(MAX_BLOCK) + " bytes in the block of font " +
				     font_number() + ", more than bitmap_size can count, expected at most " +
				     to_text(MAX_BLOCK));
		}
	}

	const std::string &name_;
	line_reader reader_;
	std::string_view line_;
	unsigned long number_ = 0;  // of line_, or one past the last line at the end
	unsigned long lines_ = 0;   // read so far
	bool kept_ = false;
	bool at_end_ = false;
	bool missing_ = false;  // a glyph byte of the current font was '?'
	unsigned rows_of_last_ = 0;
	unsigned long fonts_seen_ = 0;
};

}  // namespace

zirk_container parse_text(std::FILE *in, const std::string &shown_name)
{
	return text_parser(in, shown_name).parse();
}
