#include "lexer.h"

#include "textform.h"

#include "../charmap/charmap.h"
#include "../toolkit/command_line.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

bool is_blank(char c)
{
	return c == ' ' || c == '\t';
}

bool is_hex_digit(char c)
{
	return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

std::string_view strip(std::string_view s)
{
	while (!s.empty() && is_blank(s.front()))
		s.remove_prefix(1);
	while (!s.empty() && is_blank(s.back()))
		s.remove_suffix(1);
	return s;
}

std::string_view first_word(std::string_view line)
{
	return line.substr(0, line.find_first_of(" \t"));
}

std::string_view after_first_word(std::string_view line)
{
	return strip(line.substr(first_word(line).size()));
}

std::optional<unsigned char> hex_byte(std::string_view s)
{
	unsigned value = 0;
	const char *end = s.data() + s.size();
	if (s.size() != 2 || std::from_chars(s.data(), end, value, 16).ptr != end)
		return std::nullopt;
	return static_cast<unsigned char>(value);
}

std::optional<unsigned> text_number(std::string_view s, bool hex)
{
	const bool prefixed = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
	if (prefixed && !hex)
		return std::nullopt;
	if (const std::optional<unsigned> n = parse_number(s, UINT_MAX))
		return n;
	const std::string_view digits = prefixed ? s.substr(2) : s;
	const bool all_digits = !digits.empty() && std::all_of(digits.begin(), digits.end(), [&](char c) {
		return prefixed ? is_hex_digit(c) : c >= '0' && c <= '9';
	});
	return all_digits ? std::optional<unsigned>(UINT_MAX) : std::nullopt;
}

std::size_t utf8_character_size(std::string_view s)
{
	if (s.empty())
		return 0;
	// The length the lead byte gives, then the charsets' decoder judges.
	const auto lead = static_cast<unsigned char>(s[0]);
	const std::size_t size = lead < 0x80 ? 1 : lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : 2;
	if (s.size() < size)
		return 0;
	const std::optional<std::vector<char32_t>> characters =
		decode_utf8(reinterpret_cast<const unsigned char *>(s.data()), size);
	return characters && characters->size() == 1 && !is_control(characters->front()) ? size : 0;
}

bool is_row(std::string_view line)
{
	return !line.empty() && (line[0] == '@' || line[0] == '.' || line[0] == '?' || line[0] == '|');
}

void text_lexer::form_line()
{
	std::string_view text;
	bool too_long = false;
	std::string form = "'";
	form.append(TEXT_FORM_LINE).append("'");
	if (!lines_.next(text, too_long))
		fail("empty file, expected " + form);
	if (text == TEXT_FORM_LINE)
		return;
	if (!text.empty() && text.back() == '\r')
		fail("line ends in a carriage return, expected LF line ends");
	if (text.starts_with(std::string_view(FONT_MAGIC.data(), FONT_MAGIC.size())))
		fail("a zirk font container, which zirk2txt reads, expected its text form " + form);
	if (first_word(text) == "zirk-text")
		fail("text form version " + quoted(after_first_word(text)) + " is not known, expected " + form);
	fail("the first line is " + quoted(text) + ", expected " + form);
}

bool text_lexer::next()
{
	if (kept_) {
		kept_ = false;
		return true;
	}
	if (at_end_)
		return false;
	std::string_view text;
	bool too_long = false;
	while (lines_.next(text, too_long)) {
		// A row as zirk2txt writes it needs none of the checks below.
		if (!too_long && !text.empty() && (text.front() == '@' || text.front() == '.') &&
		    (text.back() == '@' || text.back() == '.')) {
			line_ = text;
			return true;
		}
		if (!text.empty() && text.back() == '\r')
			fail("line ends in a carriage return, expected LF line ends");
		text = strip(text);
		if (text.empty() || text.front() == '#')
			continue;
		if (too_long)
			fail("line longer than " + std::to_string(LINE_LIMIT) +
			     " bytes, expected a line of the text form");
		line_ = text;
		return true;
	}
	at_end_ = true;
	line_ = {};
	return false;
}

void text_lexer::unexpected(const std::string &expected) const
{
	if (at_end_)
		fail("end of file, expected " + expected);
	fail("unexpected " + quoted(line_) + ", expected " + expected);
}
