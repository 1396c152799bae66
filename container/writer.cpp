#include "zirk.h"

#include <algorithm>
#include <cstdio>

// The name goes to a terminal more often than not: control bytes become '?'
// so that a hostile name cannot drive the user's terminal. The record itself
// keeps the name as it was. A progress line that standard error refuses is
// dropped: the output does not depend on it.
static void announce(const font_header &h)
{
	std::array<char, NAME_SIZE> shown{};
	std::size_t length = 0;
	for (; length < NAME_SIZE && h.name[length] != 0; length++) {
		const unsigned char b = h.name[length];
		shown[length] = (b < 0x20 || b == 0x7f) ? '?' : static_cast<char>(b);
	}
	(void)std::fprintf(stderr, "Writing zirk font [%.*s]..\n", static_cast<int>(length), shown.data());
}

void write_font()
{
	font_header &h = font_store.header;
	announce(h);
	if (h.height > MAX_HEIGHT)
		fail("Error: font height above 127\n");
	const std::uint32_t size = bitmap_length(font_store);
	if (size > BITMAP_STORE_SIZE)
		fail("Error: Font bitmapsize to large\n");
	if (font_store.bitmap_read < std::min<std::size_t>(h.bitmap_size, size))
		fail("Error: font file is truncated\n");

	h.bitmap_size = static_cast<std::uint16_t>(size);
	const bool swap = host_is_big_endian();
	if (swap)
		swap_u16(h.bitmap_size);
	write_output(&h, sizeof h);
	if (swap)
		swap_u16(h.bitmap_size);
	if (has_width_table(h))
		write_output(&font_store.widths[h.first_char], char_count(h));
	write_output(font_store.bitmap.data(), size);
}
