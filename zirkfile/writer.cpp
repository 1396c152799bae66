#include "zirkfile.h"

#include <cstring>

void append_container_header(std::vector<unsigned char> &out, unsigned count)
{
	out.insert(out.end(), FONT_MAGIC.begin(), FONT_MAGIC.end());
	out.push_back(static_cast<unsigned char>(count));
}

void append_record(std::vector<unsigned char> &out, const font_record &font)
{
	font_header h = font.header;
	if (host_is_big_endian())
		swap_u16(h.bitmap_size);
	std::array<unsigned char, FONT_HEADER_SIZE> bytes{};
	std::memcpy(bytes.data(), &h, sizeof h);
	out.insert(out.end(), bytes.begin(), bytes.end());
	out.insert(out.end(), font.widths.begin(), font.widths.end());
	out.insert(out.end(), font.bitmap.begin(), font.bitmap.end());
}

std::vector<unsigned char> container_bytes(const zirk_container &container)
{
	std::vector<unsigned char> out;
	append_container_header(out, static_cast<unsigned>(container.fonts.size()));
	for (const font_record &font : container.fonts)
		append_record(out, font);
	out.insert(out.end(), container.trailing.begin(), container.trailing.end());
	return out;
}
