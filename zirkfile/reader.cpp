#include "zirkfile.h"

#include "../toolkit/messages.h"

#include <algorithm>
#include <cstring>

static void read_exactly(const container_reader &reader, void *bytes, std::size_t size)
{
	if (reader.input->read(bytes, size) < size)
		file_fatal(reader.input->path(), "font " + std::to_string(reader.read + 1) + " is truncated");
}

static container_reader start_reading(std::unique_ptr<input_file> input)
{
	container_reader reader;
	reader.input = std::move(input);
	std::array<unsigned char, CONTAINER_HEADER_SIZE> head{};
	if (reader.input->read(head.data(), head.size()) < head.size() ||
	    std::memcmp(head.data(), FONT_MAGIC.data(), MAGIC_SIZE) != 0)
		file_fatal(reader.input->path(), "this is no zirk font file");
	reader.count = head[MAGIC_SIZE];
	return reader;
}

container_reader open_container(const std::string &path)
{
	return start_reading(std::make_unique<input_file>(path.empty() ? "-" : path));
}

container_reader open_container_stream(std::FILE *file, const std::string &name)
{
	return start_reading(std::make_unique<input_file>(file, name));
}

bool read_font(container_reader &reader, font_record &font)
{
	if (reader.read == reader.count)
		return false;
	font_header &h = font.header;
	read_exactly(reader, &h, sizeof h);
	if (host_is_big_endian())
		swap_u16(h.bitmap_size);
	if (!char_range_is_valid(h))
		file_fatal(reader.input->path(),
		           "font " + std::to_string(reader.read + 1) + " has an invalid character range");
	font.widths.resize(has_width_table(h) ? char_count(h) : 0);
	read_exactly(reader, font.widths.data(), font.widths.size());
	font.bitmap.resize(h.bitmap_size);
	read_exactly(reader, font.bitmap.data(), font.bitmap.size());
	reader.read++;
	return true;
}

std::size_t read_more(const container_reader &reader, unsigned char *bytes, std::size_t size)
{
	return reader.input->read(bytes, size);
}

std::vector<unsigned char> read_trailing(container_reader &reader)
{
	std::vector<unsigned char> rest;
	std::array<unsigned char, 4096> chunk{};
	for (std::size_t got; (got = read_more(reader, chunk.data(), chunk.size())) > 0;)
		rest.insert(rest.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
	return rest;
}

void close_container(container_reader &reader)
{
	reader = container_reader{};
}

zirk_container read_container(const std::string &path)
{
	zirk_container container;
	container_reader reader = open_container(path);
	font_record font;
	while (read_font(reader, font))
		container.fonts.push_back(font);
	container.trailing = read_trailing(reader);
	close_container(reader);
	return container;
}
