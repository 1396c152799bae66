#include "zirk.h"

font_store_layout font_store;

std::uint32_t bitmap_length(const font_store_layout &store)
{
	const font_header &h = store.header;
	std::uint32_t rows = 0;
	for (unsigned c = h.first_char; c <= h.last_char; c++)
		rows += store.row_bytes[c];
	return rows * h.height;
}
