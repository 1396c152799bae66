// font2zirk [OPTIONS] FONTFILE...: fonts of any kind FreeType reads, or
// console PSF fonts, as one zirk font on standard output.
#include "../toolkit/messages.h"
#include "../toolkit/output.h"
#include "command_line.h"
#include "import.h"
#include "placement.h"
#include "sources.h"
#include "summary.h"

#include <cstdlib>

// Faults of the font made of several files name them all.
static std::string files_named(const std::vector<std::string> &paths)
{
	std::string named;
	for (const std::string &path : paths)
		named.append(named.empty() ? "" : ", ").append(path);
	return named;
}

int main(int argc, char **argv)
{
	import_options o = parse_options(argc, argv);
	code_map map = charset_codes(o.charset);
	if (o.map)
		map = read_code_map(*o.map, std::move(map));
	sourced_font sourced = read_fonts(o.paths, o.size, map);
	const std::string path = files_named(o.paths);
	if (o.pieces.empty() && !default_range(sourced.font, map, o.placement.first, o.placement.last))
		file_fatal(path, "has no glyph for any code from 0 to 255 but control codes");
	leave_out_gaps(sourced, o.pieces);
	settle_metrics(sourced, o.placement.first, o.placement.last, o.placement.clip, o.align);
	if (o.align == alignment::cell)
		align_cells(sourced, o.placement.in_given_rows);
	o.placement.left_out = sourced.left_out;
	if (!o.placement.name)
		o.placement.name = default_name(sourced.font, o.paths.front());
	const placed_font placed = place_glyphs(path, sourced.font, map, o.placement);

	// Everything is checked before the first byte leaves.
	std::vector<unsigned char> out;
	append_container_header(out, 1);
	append_record(out, placed.record);
	claim_binary_output("font data");
	write_stdout(out);
	finish_stdout();
	if (o.report)
		for (const std::string &line :
		     report_lines(sourced, placed, o.paths, map, o.placement.first, o.placement.last))
			note(line);
	note(summary_line(placed, sourced.font.own_codes) +
	     sources_summary(sourced, o.paths, o.placement.first, o.placement.last));
	return EXIT_SUCCESS;
}
