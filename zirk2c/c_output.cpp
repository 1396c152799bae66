#include "c_output.h"

#include "names.h"

#include "../toolkit/output.h"
#include "../toolkit/text.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::size_t BYTES_PER_LINE = 12;

// A name inside a block comment: bytes a terminal or the compiler would
// take for more than text become '?', and so does a '/' that would open or
// close a comment with a '*' beside it.
std::string comment_text(const std::string &name)
{
	std::string out;
	for (std::size_t i = 0; i < name.size(); i++) {
		const auto b = static_cast<unsigned char>(name[i]);
		const bool star_beside = (i > 0 && name[i - 1] == '*') || (i + 1 < name.size() && name[i + 1] == '*');
		out += (b < 0x20 || b > 0x7e || (b == '/' && star_beside)) ? '?' : name[i];
	}
	return out;
}

std::string hex_code(unsigned code)
{
	std::string text = "0x";
	append_hex_byte(text, static_cast<unsigned char>(code));
	return text;
}

// "0x00e9", "0x1f600": a character as the tables hold it.
std::string character_code(std::uint32_t c)
{
	std::string digits;
	for (; c != 0 || digits.size() < 4; c >>= 4)
		digits.insert(digits.begin(), "0123456789abcdef"[c & 15U]);
	return "0x" + digits;
}

std::string font_line(unsigned number, const font_summary &f)
{
	std::string line = " * " + std::to_string(number) + " \"" + comment_text(f.name) + "\": ";
	line += f.proportional ? "proportional, " : "fixed, ";
	if (f.narrowest == f.widest)
		line += std::to_string(f.widest);
	else
		line += std::to_string(f.narrowest) + " to " + std::to_string(f.widest);
	line += " wide, " + std::to_string(f.height) + " high, ";
	const unsigned count = f.last_char + 1 - f.first_char;
	if (count == 0)
		line += "no characters";
	else
		line += hex_code(f.first_char) + " to " + hex_code(f.last_char) + ", " +
		        plural(count, "character", "characters");
	return line + "\n";
}

std::string top_comment(const c_fonts &c, const char *what)
{
	std::string text = "/* ";
	text += what;
	text += " written by zirk2c (korvane) " KORVANE_VERSION ": ";
	text += plural(c.fonts.size(), "font", "fonts") + ", " + plural(c.bytes.size(), "byte", "bytes") + ".\n";
	for (std::size_t i = 0; i < c.fonts.size(); i++)
		text += font_line(static_cast<unsigned>(i + 1), c.fonts[i]);
	return text + " */\n";
}

// The hook for fonts kept in flash; the build defines it or it is nothing.
constexpr std::string_view SECTION_HOOK = "#ifndef ZIRKFONT_SECTION\n"
					  "#define ZIRKFONT_SECTION\n"
					  "#endif\n";

// Declarations both the header and the source begin with: in C++ an object
// declared extern first keeps external linkage where it is defined const.
std::string declarations(const c_fonts &c)
{
	const std::string &id = c.ident;
	return "#ifdef __cplusplus\nextern \"C\" {\n#endif\n"
	       "extern const uint8_t ZIRKFONT_SECTION " +
	       id + "[" + std::to_string(c.bytes.size()) + "];\nextern const size_t " + id +
	       "_size;\nextern const zf_charmap " + id + "_map;\n#ifdef __cplusplus\n}\n#endif\n";
}

// The bytes, "0x5a," each, twelve to a line: written in pieces from a table
// of their spellings, as fast as the disk takes them.
void write_bytes(std::span<const unsigned char> bytes)
{
	static const std::array<std::array<char, 6>, 256> SPELLED = [] {
		std::array<std::array<char, 6>, 256> table{};
		for (unsigned b = 0; b < 256; b++) {
			std::string s = hex_code(b) + ", ";
			std::copy(s.begin(), s.end(), table[b].begin());
		}
		return table;
	}();
	std::string out;
	constexpr std::size_t LINES_PER_PIECE = 4096;
	out.reserve(LINES_PER_PIECE * (BYTES_PER_LINE * 6 + 1));
	for (std::size_t at = 0; at < bytes.size(); at += BYTES_PER_LINE) {
		const std::size_t end = std::min(bytes.size(), at + BYTES_PER_LINE);
		out += '\t';
		for (std::size_t i = at; i < end; i++)
			out.append(SPELLED[bytes[i]].data(), 6);
		out.back() = '\n';
		if (out.size() >= LINES_PER_PIECE * (BYTES_PER_LINE * 6 + 1) - 100) {
			write_stdout(out);
			out.clear();
		}
	}
	write_stdout(out);
}

std::string map_tables(const c_fonts &c)
{
	const std::string &id = c.ident;
	const std::string count = std::to_string(c.map.count);
	if (c.map.count == 0)
		return "const zf_charmap " + id + "_map = {NULL, NULL, 0};\n";
	std::string text = "static const uint32_t " + id + "_map_chars[" + count + "] = {\n";
	std::string codes = "static const uint8_t " + id + "_map_codes[" + count + "] = {\n";
	for (std::size_t i = 0; i < c.map.count; i++) {
		const bool starts = i % BYTES_PER_LINE == 0;
		const bool ends = i % BYTES_PER_LINE == BYTES_PER_LINE - 1 || i + 1 == c.map.count;
		text += starts ? "\t" : " ";
		text += character_code(c.map.chars[i]) + ",";
		codes += starts ? "\t" : " ";
		codes += hex_code(c.map.codes[i]) + ",";
		if (ends) {
			text += '\n';
			codes += '\n';
		}
	}
	return text + "};\n" + codes + "};\nconst zf_charmap " + id + "_map = {" + id + "_map_chars, " + id +
	       "_map_codes, " + count + "};\n";
}

}  // namespace

void write_source(const c_fonts &c)
{
	std::string text = top_comment(c, "Zirk fonts for zirkfont,");
	text += "#include \"zirkfont.h\"\n\n";
	text += SECTION_HOOK;
	text += '\n';
	text += declarations(c);
	text += '\n';
	text += "const uint8_t ZIRKFONT_SECTION " + c.ident + "[" + std::to_string(c.bytes.size()) + "] = {\n";
	write_stdout(text);
	write_bytes(c.bytes);
	write_stdout("};\nconst size_t " + c.ident + "_size = " + std::to_string(c.bytes.size()) + ";\n\n" +
	             map_tables(c));
}

void write_header(const c_fonts &c)
{
	std::string guard;
	for (const char ch : c.ident)
		guard += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
	guard += "_H";
	std::string text = top_comment(c, "Zirk fonts for zirkfont,");
	text += "#ifndef " + guard + "\n#define " + guard + "\n\n#include \"zirkfont.h\"\n\n";
	text += SECTION_HOOK;
	text += '\n';
	text += declarations(c);
	text += '\n';
	std::vector<std::string> names;
	for (const font_summary &f : c.fonts)
		names.push_back(f.name);
	const std::vector<std::string> constants = font_constants(c.ident, names);
	text += "/* Each font's index, for zf_font_at(). */\nenum " + c.ident + "_font {\n";
	for (std::size_t i = 0; i < constants.size(); i++)
		text += "\t" + constants[i] + " = " + std::to_string(i) + ",\n";
	text += '\t';
	text.append(guard, 0, guard.size() - 2);
	text += "_COUNT = " + std::to_string(constants.size()) + "\n};\n";
	text += "\n#endif\n";
	write_stdout(text);
}
