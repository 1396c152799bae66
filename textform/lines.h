// The lines of a text in the zirk text form, read in large pieces, and
// where a fault in them is: the file and the line.
#pragma once

#include "../toolkit/input.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Longer lines can only be comments: no line of the form is this long.
inline constexpr std::size_t LINE_LIMIT = 4096;

class text_lines {
public:
	explicit text_lines(const input_file &in);

	// The next line, valid until the next call; false at the end of the
	// file. A line longer than LINE_LIMIT is cut there and flagged.
	bool next(std::string_view &line, bool &too_long);
	// The next line when it lies whole in the buffer and is exactly size
	// bytes long; it stays unread until skip(). Rows are found this way
	// without a search for their end.
	bool peek(std::size_t size, std::string_view &line) const;
	void skip(std::size_t size);

	// The number of the line last read; past the end, one beyond the last.
	unsigned number() const { return number_; }
	// "FILE:LINE: error: WHAT", at the line last read.
	[[noreturn]] void fail(std::string_view what) const;

private:
	bool refill();
	void keep(const char *bytes, std::size_t size);

	const input_file &in_;
	std::vector<char> buffer_;
	std::size_t pos_ = 0;
	std::size_t end_ = 0;
	std::string carry_;
	bool too_long_ = false;
	unsigned number_ = 0;
};

// A line or a piece of one as a message shows it: in single quotes, short,
// control bytes as \xHH.
std::string quoted(std::string_view line);
