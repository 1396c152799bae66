#include "device.h"

#include "../toolkit/input.h"
#include "../toolkit/messages.h"
#include "../toolkit/text.h"
#include "../zirkfile/zirkfile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The record that starts at, whose header zf_open found whole, and its
// width table where the file holds it.
font_record record_at(const std::vector<unsigned char> &bytes, std::size_t at)
{
	font_record font;
	std::memcpy(&font.header, &bytes[at], FONT_HEADER_SIZE);
	font_header &h = font.header;
	h.bitmap_size = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
	const std::size_t table = at + FONT_HEADER_SIZE;
	if (has_width_table(h) && char_range_is_valid(h) && table + char_count(h) <= bytes.size())
		font.widths.assign(bytes.begin() + static_cast<std::ptrdiff_t>(table),
		                   bytes.begin() + static_cast<std::ptrdiff_t>(table + char_count(h)));
	return font;
}

// Counts the records before the one at fault, all of which zf_open found
// whole.
unsigned font_number(const std::vector<unsigned char> &bytes, std::size_t fault_at)
{
	unsigned number = 1;
	for (std::size_t at = CONTAINER_HEADER_SIZE; at < fault_at; number++) {
		const font_record font = record_at(bytes, at);
		at += FONT_HEADER_SIZE + font.widths.size() + font.header.bitmap_size;
	}
	return number;
}

}  // namespace

std::string device_fault(const std::vector<unsigned char> &bytes, zf_error error, std::size_t at)
{
	if (error == ZF_NOT_ZIRK)
		return "this is no zirk font file";
	const std::string font = "font " + std::to_string(font_number(bytes, at));
	const std::string where = " (its record begins at byte " + std::to_string(at) + ")";
	switch (error) {
	case ZF_TRUNCATED: return font + " is truncated" + where;
	case ZF_BAD_RANGE: return font + " has an invalid character range" + where;
	case ZF_TOO_TALL: return font + ": height above 127" + where;
	case ZF_TOO_LARGE: return font + ": the glyphs need more than 24600 bytes" + where;
	default: break;
	}
	const font_record record = record_at(bytes, at);
	return font + ": the file holds " + std::to_string(record.header.bitmap_size) + " of the " +
	       plural(geometry_length(record), "byte", "bytes") + " the glyphs need" + where;
}

device_container open_device_container(const std::string &path)
{
	const input_file input(path.empty() ? "-" : path);
	device_container c;
	c.path = input.path();
	std::array<unsigned char, 65536> chunk{};
	for (std::size_t got; (got = input.read(chunk.data(), chunk.size())) > 0;)
		c.bytes.insert(c.bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
	std::size_t at = 0;
	const zf_error error = zf_open(&c.fonts, c.bytes.data(), c.bytes.size(), &at);
	if (error != ZF_OK)
		file_fatal(c.path, device_fault(c.bytes, error, at));
	return c;
}

device_map device_code_map(const code_map &codes)
{
	const code_map owned = owned_characters(codes);
	std::vector<std::pair<char32_t, unsigned>> entries;
	for (unsigned code = 0; code < CODES; code++)
		for (const char32_t c : owned[code])
			entries.emplace_back(c, code);
	std::ranges::sort(entries);
	device_map m;
	for (const auto &[c, code] : entries) {
		m.chars.push_back(c);
		m.codes.push_back(static_cast<std::uint8_t>(code));
	}
	return m;
}
