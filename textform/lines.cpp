#include "lines.h"

#include "../toolkit/messages.h"
#include "../toolkit/text.h"

#include <algorithm>
#include <cstring>

static constexpr std::size_t CHUNK_SIZE = std::size_t{1} << 16;

text_lines::text_lines(const input_file &in) : in_(in), buffer_(CHUNK_SIZE) {}

bool text_lines::next(std::string_view &line, bool &too_long)
{
	number_++;
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

bool text_lines::peek(std::size_t size, std::string_view &line) const
{
	if (end_ - pos_ <= size || buffer_[pos_ + size] != '\n')
		return false;
	line = std::string_view(buffer_.data() + pos_, size);
	return true;
}

void text_lines::skip(std::size_t size)
{
	pos_ += size + 1;
	number_++;
}

void text_lines::fail(std::string_view what) const
{
	text_fatal(in_.path(), number_, what);
}

bool text_lines::refill()
{
	pos_ = 0;
	end_ = in_.read(buffer_.data(), buffer_.size());
	return end_ > 0;
}

void text_lines::keep(const char *bytes, std::size_t size)
{
	const std::size_t room = LINE_LIMIT - std::min(carry_.size(), LINE_LIMIT);
	if (size > room)
		too_long_ = true;
	carry_.append(bytes, std::min(size, room));
}

std::string quoted(std::string_view line)
{
	constexpr std::size_t SHOWN = 40;
	std::string text = "'";
	text.append(shown_text(line.substr(0, SHOWN)));
	return text.append(line.size() > SHOWN ? "...'" : "'");
}
