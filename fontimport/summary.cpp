#include "summary.h"

#include "../toolkit/text.h"

std::string summary_line(const placed_font &placed, bool own_codes)
{
	const font_record &font = placed.record;
	const font_header &h = font.header;
	std::string line = "made \"" + shown_name(h) + "\": ";
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
