// The words of the text form: its significant lines (blank and comment
// lines skipped, blanks around them dropped), the words on them, and the
// numbers, bytes and characters they spell. The grammar (parse.cpp) asks
// for them in the order the form gives.
#pragma once

#include "lines.h"

#include <optional>
#include <string>
#include <string_view>

std::string_view strip(std::string_view s);
std::string_view first_word(std::string_view line);
// What follows the first word, blanks dropped.
std::string_view after_first_word(std::string_view line);
// Two hex digits, as every byte of the form is written.
std::optional<unsigned char> hex_byte(std::string_view s);
// A decimal number, or with hex also 0xHH. Digits too many for any number
// are as far out of a field's range as 256, and come back as UINT_MAX.
std::optional<unsigned> text_number(std::string_view s, bool hex);
// The length of the one UTF-8 character s starts with; 0 when it starts
// with none, or with a control character.
std::size_t utf8_character_size(std::string_view s);
bool is_row(std::string_view line);

class text_lexer {
public:
	explicit text_lexer(const input_file &in) : lines_(in) {}

	// The form line, which must come first and exactly.
	void form_line();
	// The next significant line; false at the end of the file. A line
	// handed back by keep() comes again first.
	bool next();
	void keep() { kept_ = !at_end_; }
	std::string_view line() const { return line_; }
	// Whether the current line was handed back, so that the lines beyond it
	// are not yet the next ones.
	bool kept() const { return kept_; }
	text_lines &lines() { return lines_; }

	[[noreturn]] void fail(const std::string &what) const { lines_.fail(what); }
	// Where a line of the wrong kind stands: "unexpected 'LINE', expected
	// WHAT", or "end of file, expected WHAT".
	[[noreturn]] void unexpected(const std::string &expected) const;

private:
	text_lines lines_;
	std::string_view line_;
	bool kept_ = false;
	bool at_end_ = false;
};
