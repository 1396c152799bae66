#include "zirk_builder.h"

#include <stdexcept>

static std::vector<std::uint8_t> all_widths(const font_spec &spec)
{
	const int count = spec.last_char + 1 - spec.first_char;
	if (count <= 0)
		return {};
	if (spec.spacing == 'P' && !spec.widths.empty())
		return spec.widths;
	return std::vector<std::uint8_t>(static_cast<std::size_t>(count), spec.fixed_width);
}

std::size_t consistent_length(const font_spec &spec)
{
	std::size_t rows = 0;
	for (const std::uint8_t w : all_widths(spec))
		rows += (w + 7u) / 8u;
	return rows * spec.height;
}

std::string pattern(std::size_t n, std::uint8_t seed)
{
	std::string out(n, '\0');
	for (std::size_t i = 0; i < n; i++)
		out[i] = static_cast<char>((i * 7 + seed * 31u + i / 251) & 0xff);
	return out;
}

std::string le16(std::uint16_t value)
{
	return {static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
}

std::string header_bytes(const font_spec &spec)
{
	const std::string bitmap = bitmap_bytes(spec);
	if (!spec.bitmap_size && bitmap.size() > 0xffff)
		throw std::length_error("bitmap too long for bitmap_size");
	std::string name = spec.name.substr(0, 16);
	name.resize(16, '\0');
	std::string h = le16(spec.bitmap_size.value_or(static_cast<std::uint16_t>(bitmap.size())));
	h += name;
	h += spec.spacing;
	for (const std::uint8_t b : spec.uninterpreted)
		h += static_cast<char>(b);
	h += static_cast<char>(spec.fixed_width);
	h += static_cast<char>(spec.height);
	h += static_cast<char>(spec.first_char);
	h += static_cast<char>(spec.last_char);
	return h;
}

std::string width_table(const font_spec &spec)
{
	if (spec.spacing != 'P')
		return {};
	std::string out;
	for (const std::uint8_t w : all_widths(spec))
		out += static_cast<char>(w);
	return out;
}

std::string bitmap_bytes(const font_spec &spec)
{
	return spec.bitmap ? *spec.bitmap : pattern(consistent_length(spec), spec.seed);
}

std::string record(const font_spec &spec)
{
	return header_bytes(spec) + width_table(spec) + bitmap_bytes(spec);
}

std::string container_with_count(std::uint8_t count, const std::string &records)
{
	return std::string("ZIRKFNT") + static_cast<char>(count) + records;
}

std::string container(const std::vector<std::string> &records)
{
	std::string body;
	for (const std::string &r : records)
		body += r;
	return container_with_count(static_cast<std::uint8_t>(records.size()), body);
}

std::string container_of(const std::vector<font_spec> &specs)
{
	std::vector<std::string> records;
	for (const font_spec &s : specs)
		records.push_back(record(s));
	return container(records);
}
