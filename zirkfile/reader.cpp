#include "zirkfile.h"

#include "../command/platform.h"
#include "../toolkit/fatal.h"

#include <algorithm>
#include <cstring>

static const char *const UNREADABLE = "Error: File not found.";
static const char *const TRUNCATED = "Error: font file is truncated";

// A short read is the end of the file; a failing one means the file cannot
// be read at all (a directory, an I/O error).
static std::size_t read_some(const container_reader &reader, void *bytes, std::size_t size)
{
	const std::size_t got = std::fread(bytes, 1, size, reader.file);
	if (got < size && std::ferror(reader.file) != 0)
		fatal(UNREADABLE);
	return got;
}

static void read_exactly(const container_reader &reader, void *bytes, std::size_t size)
{
	if (read_some(reader, bytes, size) < size)
		fatal(TRUNCATED);
}

static void read_container_header(container_reader &reader)
{
	std::array<unsigned char, CONTAINER_HEADER_SIZE> head{};
	if (read_some(reader, head.data(), head.size()) < head.size() ||
	    std::memcmp(head.data(), FONT_MAGIC.data(), MAGIC_SIZE) != 0)
		fatal("Error: this is no zirk font file");
	reader.count = head[MAGIC_SIZE];
}

container_reader open_container(const std::string &path)
{
	container_reader reader;
	if (path.empty() || path == "-") {
		set_binary_input();
		reader.file = stdin;
	} else {
		reader.file = std::fopen(path.c_str(), "rb");
		if (reader.file == nullptr)
			fatal(UNREADABLE);
		reader.owned = true;
	}
	read_container_header(reader);
	return reader;
}

container_reader open_container_stream(std::FILE *file)
{
	container_reader reader;
	reader.file = file;
	read_container_header(reader);
	return reader;
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
		fatal("Error: font has an invalid character range");
	font.widths.resize(has_width_table(h) ? char_count(h) : 0);
	read_exactly(reader, font.widths.data(), font.widths.size());
	font.bitmap.resize(h.bitmap_size);
	read_exactly(reader, font.bitmap.data(), font.bitmap.size());
	reader.read++;
	return true;
}

std::vector<unsigned char> read_trailing(container_reader &reader)
{
	std::vector<unsigned char> rest;
	std::array<unsigned char, 4096> chunk{};
	for (;;) {
		const std::size_t got = read_some(reader, chunk.data(), chunk.size());
		rest.insert(rest.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
		if (got < chunk.size())
			return rest;
	}
}

std::size_t read_more(const container_reader &reader, unsigned char *bytes, std::size_t size)
{
	return read_some(reader, bytes, size);
}

void close_container(container_reader &reader)
{
	// Only read from, so a failing close loses nothing.
	if (reader.owned)
		(void)std::fclose(reader.file);
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
