#include "input.h"

#include <algorithm>
#include <cstring>

static const char *const TRUNCATED = "Error: font file is truncated\n";

// Reads the next record header into the store and refuses one the walk
// cannot trust: a short header, or a range that would reach outside the
// per-character tables.
static void read_header(const input_file &file)
{
	font_header &h = font_store.header;
	if (read_input(file, &h, sizeof h) < sizeof h)
		fail(TRUNCATED);
	if (host_is_big_endian())
		swap_u16(h.bitmap_size);
	if (!char_range_is_valid(h))
		fail("Error: font has an invalid character range\n");
}

static long record_rest(const font_header &h)
{
	return long{h.bitmap_size} + (has_width_table(h) ? long{char_count(h)} : 0);
}

static bool follows_loaded_font(const char *path, unsigned n)
{
	return n == font_store.loaded_font + 1 && std::strcmp(path, font_store.loaded_path.data()) == 0;
}

// A path too long to keep is not remembered, and its next font is found by
// walking from the first record: no path that opens compares equal to "".
static void remember_path(const char *path)
{
	const std::size_t length = std::strlen(path);
	if (length < font_store.loaded_path.size())
		std::memcpy(font_store.loaded_path.data(), path, length + 1);
	else
		font_store.loaded_path[0] = 0;
}

// Every call opens the file afresh and checks its count as it is now. The
// walk to font n starts at the first record, or where font n - 1 ended when
// that was the font loaded last: in an unchanged file both reach the same
// bytes, and the records in between were checked when they were loaded.
void load_font(const char *path, unsigned n)
{
	const input_file file = open_input(path);
	std::array<unsigned char, CONTAINER_HEADER_SIZE> head{};
	if (read_input(file, head.data(), head.size()) < head.size())
		fail(TRUNCATED);
	if (n > head[MAGIC_SIZE])
		fail("Error: requested fontno not in fontfile\n");

	unsigned k = 1;
	long at = CONTAINER_HEADER_SIZE;
	if (follows_loaded_font(path, n)) {
		k = n;
		at = font_store.record_end;
		skip_input(file, at - long{CONTAINER_HEADER_SIZE});
	}
	for (; k <= n; k++) {
		read_header(file);
		at += long{FONT_HEADER_SIZE} + record_rest(font_store.header);
		if (k < n)
			skip_input(file, record_rest(font_store.header));
	}
	remember_path(path);
	font_store.loaded_font = n;
	font_store.record_end = at;

	const font_header &h = font_store.header;
	const unsigned first = h.first_char;
	const unsigned count = char_count(h);
	unsigned char *widths = font_store.widths.data() + first;
	if (has_width_table(h)) {
		if (read_input(file, widths, count) < count)
			fail(TRUNCATED);
	} else {
		std::fill_n(widths, count, h.fixed_width);
	}
	std::transform(widths, widths + count, font_store.row_bytes.begin() + first,
	               [](unsigned char w) { return static_cast<unsigned char>(row_bytes_for_width(w)); });

	// Whether a short block matters depends on the recomputed length, which
	// the writer knows; here we only note how much arrived. The rest of the
	// store is cleared so that no earlier font's glyphs can pass for this one's.
	const std::size_t wanted = std::min<std::size_t>(h.bitmap_size, BITMAP_STORE_SIZE);
	font_store.bitmap_read = read_input(file, font_store.bitmap.data(), wanted);
	std::fill(font_store.bitmap.begin() + static_cast<std::ptrdiff_t>(font_store.bitmap_read),
	          font_store.bitmap.end(), 0);
}
