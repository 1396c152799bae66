// What a byte code means: the C library's iconv turns each code of the
// charset into its Unicode character.
#include "charmap.h"

#include "../toolkit/messages.h"
#include "../toolkit/text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstddef>

namespace {

struct converter {
	iconv_t cd;
	explicit converter(const char *from) : cd(iconv_open("UTF-32BE", from)) {}
	~converter()
	{
		if (ok())
			iconv_close(cd);
	}
	converter(const converter &) = delete;
	converter &operator=(const converter &) = delete;
	bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }  // NOLINT(performance-no-int-to-ptr)
};

// What one code converts to, on its own: nothing where the charset leaves
// it undefined; one_byte turns false for a charset that is not one byte a
// character.
std::optional<char32_t> convert(const converter &conv, unsigned char code, bool &one_byte)
{
	iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
	std::array<char, 1> in{static_cast<char>(code)};
	std::array<char, 8> out{};
	char *in_at = in.data();
	char *out_at = out.data();
	std::size_t in_left = in.size();
	std::size_t out_left = out.size();
	constexpr auto FAILED = static_cast<std::size_t>(-1);
	std::size_t status = iconv(conv.cd, &in_at, &in_left, &out_at, &out_left);
	// Charsets with combining marks hold a letter back in case one follows;
	// no code follows here, so what is held is the letter.
	if (status != FAILED)
		status = iconv(conv.cd, nullptr, nullptr, &out_at, &out_left);
	const bool failed = status == FAILED;
	const int error = errno;
	// EINVAL: the byte begins a longer sequence (UTF-8, UTF-16); E2BIG or
	// two characters: one code stands for more than one.
	if ((failed && error != EILSEQ) || (!failed && out_left < 4))
		one_byte = false;
	if (failed || out_left != 4)
		return std::nullopt;
	char32_t c = 0;
	for (std::size_t i = 0; i < 4; i++)
		c = c << 8 | static_cast<unsigned char>(out[i]);
	return c;
}

}  // namespace

code_map charset_codes(const std::string &name)
{
	// iconv takes an empty name for the locale's charset, which may be any.
	if (name.empty())
		usage_error("--charset '' is not a one-byte charset");
	code_map map;
	bool one_byte = true;
	bool known = true;
	// The converter is closed before any refusal: the run ends without
	// unwinding.
	{
		const converter conv(name.c_str());
		known = conv.ok();
		for (unsigned code = 0; known && one_byte && code < CODES; code++)
			if (const std::optional<char32_t> c = convert(conv, static_cast<unsigned char>(code), one_byte))
				map[code].push_back(*c);
	}
	if (!known)
		usage_error("--charset '" + shown_text(name) +
		            "' is not a charset iconv knows ('iconv --list' shows them)");
	if (!one_byte)
		usage_error("--charset '" + shown_text(name) + "' is not a one-byte charset");
	return map;
}

std::optional<std::vector<char32_t>> decode_utf8(const unsigned char *bytes, std::size_t size)
{
	std::vector<char32_t> chars;
	if (size == 0)
		return chars;
	// Opened once: a code map decodes every line and word apart.
	static const converter conv("UTF-8");
	if (!conv.ok())
		return std::nullopt;
	iconv(conv.cd, nullptr, nullptr, nullptr, nullptr);
	std::vector<char> in(bytes, bytes + size);
	std::vector<char> out(4 * size);
	char *in_at = in.data();
	char *out_at = out.data();
	std::size_t in_left = in.size();
	std::size_t out_left = out.size();
	if (iconv(conv.cd, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
		return std::nullopt;
	for (std::size_t i = 0; i + 4 <= out.size() - out_left; i += 4) {
		char32_t c = 0;
		for (std::size_t j = 0; j < 4; j++)
			c = c << 8 | static_cast<unsigned char>(out[i + j]);
		chars.push_back(c);
	}
	return chars;
}

void append_utf8(std::string &out, char32_t c)
{
	const auto byte = [&](char32_t b) { out += static_cast<char>(static_cast<unsigned char>(b)); };
	if (c < 0x80) {
		byte(c);
	} else if (c < 0x800) {
		byte(0xc0 | c >> 6);
		byte(0x80 | (c & 0x3f));
	} else if (c < 0x10000) {
		byte(0xe0 | c >> 12);
		byte(0x80 | (c >> 6 & 0x3f));
		byte(0x80 | (c & 0x3f));
	} else {
		byte(0xf0 | c >> 18);
		byte(0x80 | (c >> 12 & 0x3f));
		byte(0x80 | (c >> 6 & 0x3f));
		byte(0x80 | (c & 0x3f));
	}
}
