#include "zirk.h"

#include <cstring>

font_store_layout font_store;

bool host_is_big_endian()
{
	const std::uint16_t one = 1;
	unsigned char first = 0;
	std::memcpy(&first, &one, 1);
	return first == 0;
}

void swap_u16(std::uint16_t &value)
{
	value = static_cast<std::uint16_t>(value >> 8 | value << 8);
}

std::uint32_t bitmap_length(const font_store_layout &store)
{
	const font_header &h = store.header;
	std::uint32_t rows = 0;
	for (unsigned c = h.first_char; c <= h.last_char; c++)
		rows += store.row_bytes[c];
	return rows * h.height;
}
