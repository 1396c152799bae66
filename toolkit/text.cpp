#include "text.h"

std::string plural(std::uint64_t n, std::string_view one, std::string_view many)
{
	std::string text = std::to_string(n);
	return text.append(" ").append(n == 1 ? one : many);
}

void append_hex_byte(std::string &out, unsigned char byte)
{
	static constexpr std::string_view DIGITS = "0123456789abcdef";
	out += DIGITS[byte >> 4];
	out += DIGITS[byte & 15U];
}

static bool is_control(unsigned char b)
{
	return b < 0x20 || b == 0x7f;
}

std::string shown_name(const font_header &header)
{
	std::string name;
	for (const unsigned char b : header.name) {
		if (b == 0)
			break;
		name += is_control(b) ? '?' : static_cast<char>(b);
	}
	return name;
}

std::string shown_text(std::string_view typed)
{
	std::string shown;
	for (const char c : typed) {
		const auto b = static_cast<unsigned char>(c);
		if (is_control(b)) {
			shown += "\\x";
			append_hex_byte(shown, b);
		} else {
			shown += c;
		}
	}
	return shown;
}
