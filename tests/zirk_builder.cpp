#include "zirk_builder.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>

static std::vector<std::uint8_t> all_widths(const test_font &font)
{
	const int count = font.last_char + 1 - font.first_char;
	if (count <= 0)
		return {};
	if (font.spacing == 'P' && !font.widths.empty())
		return font.widths;
	return std::vector<std::uint8_t>(static_cast<std::size_t>(count), font.fixed_width);
}

std::size_t consistent_length(const test_font &font)
{
	std::size_t rows = 0;
	for (const std::uint8_t w : all_widths(font))
		rows += (w + 7u) / 8u;
	return rows * font.height;
}

std::string pattern(std::size_t n, std::uint8_t seed)
{
	std::string out(n, '\0');
	for (std::size_t i = 0; i < n; i++)
		out[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(seed) * 31 + i / 251) & 0xff);
	return out;
}

std::string le16(std::uint16_t value)
{
	return {static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
}

std::string header_bytes(const test_font &font)
{
	const std::string bitmap = bitmap_bytes(font);
	if (!font.bitmap_size && bitmap.size() > 0xffff)
		throw std::length_error("bitmap too long for bitmap_size");
	std::string name = font.name.substr(0, 16);
	name.resize(16, '\0');
	std::string h = le16(font.bitmap_size.value_or(static_cast<std::uint16_t>(bitmap.size())));
	h += name;
	h += font.spacing;
	for (const std::uint8_t b : font.uninterpreted)
		h += static_cast<char>(b);
	h += static_cast<char>(font.fixed_width);
	h += static_cast<char>(font.height);
	h += static_cast<char>(font.first_char);
	h += static_cast<char>(font.last_char);
	return h;
}

std::string width_table(const test_font &font)
{
	if (font.spacing != 'P')
		return {};
	std::string out;
	for (const std::uint8_t w : all_widths(font))
		out += static_cast<char>(w);
	return out;
}

std::string bitmap_bytes(const test_font &font)
{
	return font.bitmap ? *font.bitmap : pattern(consistent_length(font), font.seed);
}

std::string record(const test_font &font)
{
	return header_bytes(font) + width_table(font) + bitmap_bytes(font);
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

std::string container_of(const std::vector<test_font> &fonts)
{
	std::vector<std::string> records;
	records.reserve(fonts.size());
	for (const test_font &s : fonts)
		records.push_back(record(s));
	return container(records);
}

int write_generated_files(int argc, char **argv, const std::function<std::vector<generated_file>()> &make)
{
	const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "generator";
	if (argc != 2) {
		(void)std::fprintf(stderr, "usage: %s <dir>\n", program.c_str());
		return 1;
	}
	try {
		for (const generated_file &f : make()) {
			const std::filesystem::path path = std::filesystem::path(argv[1]) / f.name;
			std::filesystem::create_directories(path.parent_path());
			std::ofstream out(path, std::ios::binary | std::ios::trunc);
			out.write(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size()));
			out.close();
			if (!out) {
				(void)std::fprintf(stderr, "%s: cannot write %s\n", program.c_str(), path.c_str());
				return 1;
			}
		}
	} catch (const std::exception &e) {
		(void)std::fprintf(stderr, "%s: %s\n", program.c_str(), e.what());
		return 1;
	}
	return 0;
}
