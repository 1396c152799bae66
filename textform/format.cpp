#include "textform.h"

#include "../toolkit/text.h"

#include <array>
#include <charconv>
#include <cstring>

namespace {

// Eight pixel characters for every byte value, the high bit leftmost.
constexpr std::array<std::array<char, 8>, 256> PIXELS = [] {
	std::array<std::array<char, 8>, 256> chars{};
	for (unsigned b = 0; b < 256; b++)
		for (unsigned i = 0; i < 8; i++)
			chars[b][i] = (b >> (7 - i) & 1U) != 0 ? '@' : '.';
	return chars;
}();

void append_number(std::string &out, unsigned value)
{
	std::array<char, 16> digits{};
	const char *const end = std::to_chars(digits.begin(), digits.end(), value).ptr;
	out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

void append_field(std::string &out, std::string_view key, unsigned value)
{
	out += key;
	out += ": ";
	append_number(out, value);
	out += '\n';
}

void append_heading(std::string &out, const font_record &font, unsigned code, const heading_characters &shown)
{
	out += "\nglyph ";
	append_number(out, code);
	out += " 0x";
	append_hex_byte(out, static_cast<unsigned char>(code));
	if (!shown[code].empty()) {
		out += " '";
		out += shown[code];
		out += '\'';
	}
	if (has_width_table(font.header)) {
		out += " width ";
		append_number(out, glyph_width(font, code));
	}
	out += '\n';
}

// The rows of one glyph. Bytes past the end of the stored block are shown
// as '?'; they can only be a suffix of the glyph bytes.
void append_rows(std::string &out, const font_record &font, unsigned code)
{
	const unsigned width = glyph_width(font, code);
	const unsigned row_bytes = row_bytes_for_width(width);
	const unsigned height = font.header.height;
	if (row_bytes == 0 || height == 0)
		return;
	const std::size_t held = font.bitmap.size();
	std::size_t at = glyph_offset(font, code);
	const unsigned tail = width % 8;  // pixels in a partial last byte

	const std::size_t old = out.size();
	out.resize(old + std::size_t{height} * (row_bytes * 8 + 2));
	char *p = out.data() + old;
	for (unsigned r = 0; r < height; r++) {
		for (unsigned k = 0; k < row_bytes; k++, at++) {
			const unsigned pixels = (tail != 0 && k + 1 == row_bytes) ? tail : 8;
			if (at < held)
				std::memcpy(p, PIXELS[font.bitmap[at]].data(), pixels);
			else
				std::memset(p, '?', pixels);
			p += pixels;
		}
		// Set bits beyond the width are kept, and shown apart from the pixels.
		const std::size_t last = at - 1;
		if (tail != 0 && last < held && (font.bitmap[last] & (0xffU >> tail)) != 0) {
			*p++ = '|';
			std::memcpy(p, PIXELS[font.bitmap[last]].data() + tail, 8 - tail);
			p += 8 - tail;
		}
		*p++ = '\n';
	}
	out.resize(static_cast<std::size_t>(p - out.data()));
}

void append_size_comment(std::string &out, const font_record &font)
{
	const std::uint32_t need = geometry_length(font);
	const std::uint32_t stored = font.header.bitmap_size;
	if (stored == need)
		return;
	out += "# bitmap_size ";
	append_number(out, stored);
	out += ", the glyphs need ";
	append_number(out, need);
	if (stored > need) {
		out += ": ";
		append_number(out, stored - need);
		out += stored - need == 1 ? " surplus byte follows" : " surplus bytes follow";
		out += " the glyphs\n";
	} else if (need - stored == 1) {
		out += ": the file does not hold glyph byte ";
		append_number(out, stored);
		out += '\n';
	} else {
		out += ": the file does not hold glyph bytes ";
		append_number(out, stored);
		out += " to ";
		append_number(out, need - 1);
		out += '\n';
	}
}

void append_spacing(std::string &out, unsigned char spacing)
{
	if (spacing > 0x20 && spacing < 0x7f && spacing != '\\') {
		out += static_cast<char>(spacing);
	} else {
		out += "\\x";
		append_hex_byte(out, spacing);
	}
}

// The name field without its trailing zero bytes, which the reader restores.
void append_name(std::string &out, const font_header &h)
{
	std::size_t size = h.name.size();
	while (size > 0 && h.name[size - 1] == 0)
		size--;
	append_quoted(out, h.name.data(), size);
}

}  // namespace

void append_quoted(std::string &out, const unsigned char *bytes, std::size_t size)
{
	out += '"';
	for (std::size_t i = 0; i < size; i++) {
		const unsigned char b = bytes[i];
		if (b == '"' || b == '\\') {
			out += '\\';
			out += static_cast<char>(b);
		} else if (b >= 0x20 && b < 0x7f) {
			out += static_cast<char>(b);
		} else {
			out += "\\x";
			append_hex_byte(out, b);
		}
	}
	out += '"';
}

// Lines of up to 16 bytes, as "de ad be ef".
void append_hex_lines(std::string &out, const unsigned char *bytes, std::size_t size)
{
	for (std::size_t i = 0; i < size; i++) {
		append_hex_byte(out, bytes[i]);
		out += (i % 16 == 15 || i + 1 == size) ? '\n' : ' ';
	}
}

void append_form_line(std::string &out)
{
	out += TEXT_FORM_LINE;
	out += '\n';
}

const heading_characters &latin1_headings()
{
	static const heading_characters latin1 = [] {
		heading_characters shown;
		for (unsigned code = 0x20; code < 0x100; code++) {
			if (code >= 0x7f && code < 0xa0)
				continue;
			if (code < 0x80) {
				shown[code] = std::string(1, static_cast<char>(code));
			} else {
				shown[code] += static_cast<char>(0xc0 | code >> 6);
				shown[code] += static_cast<char>(0x80 | (code & 0x3f));
			}
		}
		return shown;
	}();
	return latin1;
}

void append_font(std::string &out, const font_record &font, unsigned number, unsigned from_input,
                 const heading_characters &shown)
{
	const font_header &h = font.header;
	out += "\nfont ";
	append_number(out, number);
	if (from_input != 0) {
		out += "\n# font ";
		append_number(out, from_input);
		out += " of the input";
	}
	out += "\nname: ";
	append_name(out, h);
	out += "\nspacing: ";
	append_spacing(out, h.spacing);
	out += "\nreserved: ";
	for (std::size_t i = 0; i < h.uninterpreted.size(); i++) {
		append_hex_byte(out, h.uninterpreted[i]);
		out += i + 1 < h.uninterpreted.size() ? ' ' : '\n';
	}
	append_field(out, "fixed_width", h.fixed_width);
	append_field(out, "height", h.height);
	append_field(out, "first_char", h.first_char);
	append_field(out, "last_char", h.last_char);
	append_size_comment(out, font);
	for (unsigned code = h.first_char; code <= h.last_char; code++) {
		append_heading(out, font, code, shown);
		append_rows(out, font, code);
	}
	const std::uint32_t need = geometry_length(font);
	if (font.bitmap.size() > need) {
		out += "\nsurplus:\n";
		append_hex_lines(out, font.bitmap.data() + need, font.bitmap.size() - need);
	}
}

void append_trailing(std::string &out, const unsigned char *bytes, std::size_t size)
{
	if (size == 0)
		return;
	out += "\ntrailing:\n";
	append_hex_lines(out, bytes, size);
}

std::string container_text(const zirk_container &container)
{
	std::string out;
	append_form_line(out);
	unsigned number = 0;
	for (const font_record &font : container.fonts)
		append_font(out, font, ++number);
	append_trailing(out, container.trailing.data(), container.trailing.size());
	return out;
}

void append_listing(std::string &out, const font_record &font, unsigned number)
{
	const font_header &h = font.header;
	out += "font ";
	append_number(out, number);
	out += " name ";
	append_name(out, h);
	out += " spacing ";
	append_spacing(out, h.spacing);
	out += " codes ";
	append_number(out, h.first_char);
	out += '-';
	append_number(out, h.last_char);
	out += " height ";
	append_number(out, h.height);
	out += " bitmap_size ";
	append_number(out, h.bitmap_size);
	out += " computed ";
	append_number(out, geometry_length(font));
	out += korvane_takes(font) ? " korvane yes\n" : " korvane no\n";
}
