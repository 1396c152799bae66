#include "export_check.h"

#include "charmap.h"

#include <map>
#include <sstream>

namespace {

constexpr std::size_t KBD_LIMIT = 65536;

// Per character, where it was given first; a failure names both places.
class characters_seen {
public:
	void add(unsigned c, const std::string &where)
	{
		const auto [at, added] = first_.try_emplace(c, where);
		if (!added && fault_.empty())
			fault_ = unicode_notation(c) + " at " + at->second + " and at " + where;
	}
	testing::AssertionResult result() const
	{
		if (fault_.empty())
			return testing::AssertionSuccess();
		return testing::AssertionFailure() << fault_;
	}

private:
	std::map<unsigned, std::string> first_;
	std::string fault_;
};

std::uint32_t u32_at(const std::string &bytes, std::size_t at)
{
	std::uint32_t value = 0;
	for (std::size_t i = 4; i-- > 0;)
		value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
	return value;
}

// psfxtable's listing: per line "0x041" and the glyph's characters as U+XXXX.
void listed_characters(const std::string &psf, const scratch_dir &dir, characters_seen &seen)
{
	const run_result r =
		run_command({"psfxtable", "-i", dir.file("check.psf", psf), "-ot", dir.path("check.txt")}, {});
	EXPECT_EQ(r.status, 0) << r.err;
	std::istringstream lines(read_file(dir.path("check.txt")));
	for (std::string line; std::getline(lines, line);) {
		if (line.empty() || line[0] == '#')
			continue;
		std::istringstream words(line);
		std::string word;
		words >> word;
		const auto code = static_cast<unsigned>(std::stoul(word, nullptr, 16));
		while (words >> word)
			seen.add(static_cast<unsigned>(std::stoul(word.substr(2), nullptr, 16)), code_notation(code));
	}
}

// The table itself: after the glyphs, per glyph its characters in UTF-8,
// each entry ended by 0xFF.
void stored_characters(const std::string &psf, characters_seen &seen)
{
	std::size_t at = u32_at(psf, 8) + std::size_t{u32_at(psf, 16)} * u32_at(psf, 20);
	for (unsigned code = 0; at < psf.size(); code++) {
		const std::size_t end = psf.find('\xff', at);
		const auto *bytes = reinterpret_cast<const unsigned char *>(psf.data() + at);
		const std::optional<std::vector<char32_t>> chars = decode_utf8(bytes, end - at);
		EXPECT_TRUE(chars.has_value()) << code_notation(code) << ": not UTF-8";
		for (std::size_t i = 0; chars && i < chars->size(); i++)
			seen.add((*chars)[i], code_notation(code));
		at = end + 1;
	}
}

}  // namespace

testing::AssertionResult each_character_once(const std::string &font, const scratch_dir &dir)
{
	characters_seen seen;
	if (font.starts_with("\x72\xb5\x4a\x86")) {
		if (font.size() <= KBD_LIMIT)
			listed_characters(font, dir, seen);
		else
			stored_characters(font, seen);
		return seen.result();
	}
	if (!font.starts_with("STARTFONT "))
		return testing::AssertionFailure() << "neither a PSF2 nor a BDF";
	std::istringstream lines(font);
	unsigned glyph = 0;
	for (std::string line; std::getline(lines, line);) {
		glyph += line.starts_with("STARTCHAR ") ? 1 : 0;
		if (line.starts_with("ENCODING ") && line[9] != '-')
			seen.add(static_cast<unsigned>(std::stoul(line.substr(9))), "glyph " + std::to_string(glyph));
	}
	return seen.result();
}
