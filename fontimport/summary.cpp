#include "summary.h"

#include "../toolkit/text.h"

// A charset's control codes have no glyph in most fonts and need none: the
// summary tells them from the codes a font lacks.
static std::string controls_among(unsigned missing, unsigned controls)
{
	if (controls == 0)
		return {};
	if (controls == missing)
		return missing == 1 ? ", a control code" : ", all control codes";
	if (controls == 1)
		return ", 1 of them a control code";
	return ", " + std::to_string(controls) + " of them control codes";
}

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
	        " without a glyph";
	line += controls_among(placed.missing, placed.missing_controls);
	line += ", " + plural(placed.widened, "glyph", "glyphs") +
	        (placed.widened == 1 ? " widened to hold its ink" : " widened to hold their ink");
	if (placed.with_clip)
		line += " (--clip keeps " + std::to_string(placed.with_clip->width) + " wide, cutting " +
		        plural(placed.with_clip->cut, "pixel", "pixels") + ")";
	line += ", " + plural(placed.clipped, "pixel", "pixels") + " clipped";
	if (own_codes)
		line += "; codes are the font's own, it has no Unicode map";
	return line;
}
