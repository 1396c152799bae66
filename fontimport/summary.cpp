#include "summary.h"

#include <algorithm>

namespace {

std::string plural(std::uint64_t n, const std::string &one, const std::string &many)
{
	return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Control bytes would act on the terminal; the record keeps them.
std::string shown_name(const font_header &h)
{
	std::string name;
	for (const unsigned char b : h.name) {
		if (b == 0)
			break;
		name += b < 0x20 || b == 0x7f ? '?' : static_cast<char>(b);
	}
	return name;
}

}  // namespace

std::string summary_line(const placed_font &placed, bool own_codes)
{
	const font_record &font = placed.record;
	const font_header &h = font.header;
	std::string line = "font2zirk: made \"" + shown_name(h) + "\": ";
	if (has_width_table(h))
		line += "proportional, widths up to " + std::to_string(h.fixed_width) + ", height " +
		        std::to_string(h.height);
	else
		line += "fixed, " + std::to_string(h.fixed_width) + "x" + std::to_string(h.height);
	line += ", codes " + std::to_string(h.first_char) + "-" + std::to_string(h.last_char) + ", " +
	        plural(h.bitmap_size, "bitmap byte", "bitmap bytes") + "; " + plural(placed.missing, "code", "codes") +
	        " without a glyph, " + plural(placed.clipped, "pixel", "pixels") + " clipped";
	if (own_codes)
		line += "; codes are the font's own, it has no Unicode map";
	return line;
}
