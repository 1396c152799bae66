// font2zirk [OPTIONS] FONTFILE: one font of any kind FreeType reads, or a
// console PSF font, as a zirk container on standard output.
#include "../toolkit/messages.h"
#include "../toolkit/output.h"
#include "command_line.h"
#include "import.h"
#include "placement.h"
#include "summary.h"

#include <cstdlib>

int main(int argc, char **argv)
{
	import_options o = parse_options(argc, argv);
	const code_map charset = charset_codes(o.charset);
	const std::vector<unsigned char> bytes = read_font_file(o.path);
	const imported_font font = is_psf(bytes) ? read_psf(o.path, bytes, o.size, charset)
	                                         : read_with_freetype(o.path, bytes, o.size, charset);
	if (!o.range_given && !default_range(font, charset, o.placement.first, o.placement.last))
		file_fatal(o.path, "has no glyph for any code from 0 to 255 but control codes");
	const placed_font placed = place_glyphs(o.path, font, o.placement);

	// Everything is checked before the first byte leaves.
	std::vector<unsigned char> out;
	append_container_header(out, 1);
	append_record(out, placed.record);
	claim_binary_output("font data");
	write_stdout(out);
	finish_stdout();
	note(summary_line(placed, font.own_codes));
	return EXIT_SUCCESS;
}
