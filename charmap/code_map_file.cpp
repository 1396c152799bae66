// Code map files: per line a byte code and the characters it stands for,
// most wanted first, each as itself or as U+XXXX; '#' to the end of the
// line is a comment. The file is read whole before its first line is
// taken, and refused past FILE_LIMIT bytes, so that memory stays bounded.
#include "charmap.h"

#include "../toolkit/input.h"
#include "../toolkit/messages.h"
#include "../toolkit/command_line.h"
#include "../toolkit/text.h"

#include <charconv>
#include <climits>
#include <cstdio>
#include <string_view>

namespace {

// 256 lines of a code, a few characters and a comment take a few KiB; the
// limits only keep a wrong file from filling memory.
constexpr std::size_t FILE_LIMIT = std::size_t{1} << 20;
constexpr std::size_t LINE_LIMIT = 4096;

constexpr std::string_view BYTE_ORDER_MARK = "\xef\xbb\xbf";
constexpr char32_t LAST_CHARACTER = 0x10ffff;

// The lines of a file, each without its line feed.
class text_lines {
public:
	explicit text_lines(const std::string &path) : path_(path)
	{
		const input_file in(path);
		std::array<char, 65536> chunk{};
		while (const std::size_t got = in.read(chunk.data(), chunk.size())) {
			if (text_.size() + got > FILE_LIMIT)
				file_fatal(path, "larger than 1 MiB, too large for a code map");
			text_.append(chunk.data(), got);
		}
		rest_ = text_;
		if (rest_.starts_with(BYTE_ORDER_MARK))
			rest_.remove_prefix(BYTE_ORDER_MARK.size());
	}

	bool next(std::string_view &line)
	{
		if (rest_.empty())
			return false;
		number_++;
		const std::size_t end = rest_.find('\n');
		line = rest_.substr(0, end);
		rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
		if (line.size() > LINE_LIMIT)
			fail("line longer than " + std::to_string(LINE_LIMIT) +
			     " bytes, expected a code and its characters");
		return true;
	}

	unsigned number() const { return number_; }

	[[noreturn]] void fail(std::string_view what) const { text_fatal(path_, number_, what); }

private:
	std::string path_;
	std::string text_;
	std::string_view rest_;
	unsigned number_ = 0;
};

bool is_blank(char c)
{
	return c == ' ' || c == '\t';
}

// The words of a line before its comment.
std::vector<std::string_view> words_of(std::string_view line)
{
	std::vector<std::string_view> words;
	std::size_t at = 0;
	for (;;) {
		while (at < line.size() && is_blank(line[at]))
			at++;
		if (at == line.size() || line[at] == '#')
			return words;
		std::size_t end = at;
		while (end < line.size() && !is_blank(line[end]))
			end++;
		words.push_back(line.substr(at, end - at));
		at = end;
	}
}

std::string quoted(std::string_view word)
{
	std::string text = "'";
	return text.append(word).append("'");
}

class map_grammar {
public:
	map_grammar(text_lines &lines, code_map &map) : lines_(lines), map_(map) {}

	void take(std::string_view line)
	{
		check_bytes(line);
		const std::vector<std::string_view> words = words_of(line);
		if (words.empty())
			return;
		const unsigned code = code_of(words[0]);
		if (listed_on_[code] != 0)
			lines_.fail("code " + code_notation(code) + " is listed already on line " +
			            std::to_string(listed_on_[code]) + ", expected each code once");
		if (words.size() == 1)
			lines_.fail("code " + code_notation(code) +
			            " has no character, expected one or more after it, as themselves or as U+XXXX");
		listed_on_[code] = lines_.number();
		map_[code].clear();
		for (std::size_t i = 1; i < words.size(); i++)
			map_[code].push_back(character_of(words[i]));
	}

private:
	// What the words are made of, before any word is read.
	void check_bytes(std::string_view line) const
	{
		for (const char c : line) {
			const auto b = static_cast<unsigned char>(c);
			if (b == '\r')
				lines_.fail("line ends in a carriage return, expected LF line ends");
			if ((b < 0x20 && b != '\t') || b == 0x7f) {
				lines_.fail("control byte " + shown_text(std::string_view(&c, 1)) +
				            ", expected a control character as " + unicode_notation(b));
			}
		}
		const auto *bytes = reinterpret_cast<const unsigned char *>(line.data());
		if (!decode_utf8(bytes, line.size()))
			lines_.fail("line is not UTF-8, expected UTF-8 text");
	}

	unsigned code_of(std::string_view word) const
	{
		const std::optional<unsigned> code = parse_number(word, UINT_MAX);
		if (!code)
			lines_.fail(quoted(word) + " is not a code, expected a code from 0 to 255, decimal or 0x hex");
		if (*code >= CODES)
			lines_.fail("code " + std::string(word) + " is above 255, expected a code from 0 to 255");
		return *code;
	}

	char32_t character_of(std::string_view word) const
	{
		if (word.starts_with("U+"))
			return numbered_character(word);
		const std::optional<std::vector<char32_t>> chars =
			decode_utf8(reinterpret_cast<const unsigned char *>(word.data()), word.size());
		if (!chars || chars->size() != 1)
			lines_.fail(
				quoted(word) +
				" is more than one character, expected a word per character, as itself or as U+XXXX");
		return chars->front();
	}

	char32_t numbered_character(std::string_view word) const
	{
		const std::string_view digits = word.substr(2);
		unsigned value = 0;
		const char *end = digits.data() + digits.size();
		const auto [ptr, error] = std::from_chars(digits.data(), end, value, 16);
		if (digits.size() < 4 || digits.size() > 6 || error != std::errc{} || ptr != end)
			lines_.fail(quoted(word) + " is not a character, expected U+ and 4 to 6 hex digits");
		if (value >= 0xd800 && value <= 0xdfff)
			lines_.fail(quoted(word) + " is a surrogate, expected a character outside U+D800 to U+DFFF");
		if (value > LAST_CHARACTER)
			lines_.fail(quoted(word) + " is above U+10FFFF, expected a character up to U+10FFFF");
		return static_cast<char32_t>(value);
	}

	text_lines &lines_;
	code_map &map_;
	// The line each code was given on; 0 for none yet.
	std::array<unsigned, CODES> listed_on_{};
};

}  // namespace

std::string code_notation(unsigned code)
{
	std::string name = "0x";
	append_hex_byte(name, static_cast<unsigned char>(code));
	return name;
}

std::string unicode_notation(char32_t c)
{
	std::array<char, 16> text{};
	const int size = std::snprintf(text.data(), text.size(), "U+%04X", static_cast<unsigned>(c));
	return {text.data(), static_cast<std::size_t>(size)};
}

code_map read_code_map(const std::string &path, code_map base)
{
	text_lines lines(path);
	map_grammar grammar(lines, base);
	std::string_view line;
	while (lines.next(line))
		grammar.take(line);
	return base;
}

code_map chosen_code_map(const std::string &charset, const std::optional<std::string> &map)
{
	code_map codes = charset_codes(charset);
	if (map)
		codes = read_code_map(*map, std::move(codes));
	return codes;
}
