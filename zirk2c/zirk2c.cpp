// zirk2c [OPTIONS] [FILE]
//
// The whole container is read and checked as the device will check it
// before the first byte is written: a container zirkfont refuses leaves
// standard output empty.
#include "c_output.h"
#include "options.h"

#include "../charmap/charmap.h"
#include "../devicefont/device.h"
#include "../toolkit/output.h"

#include <algorithm>
#include <cstdlib>

namespace {

font_summary summary_of(const zf_font &f)
{
	font_summary s{f.name, f.proportional, f.fixed_width, f.fixed_width, f.height, f.first_char, f.last_char};
	if (!f.proportional)
		return s;
	s.narrowest = 255;
	s.widest = 0;
	zf_glyph g;
	for (unsigned code = f.first_char; code <= f.last_char && zf_glyph_at(&f, code, &g); code++) {
		s.narrowest = std::min(s.narrowest, g.width);
		s.widest = std::max(s.widest, g.width);
	}
	s.narrowest = std::min(s.narrowest, s.widest);
	return s;
}

// Every character the map gives a code, at the code that owns it.
std::vector<map_entry> map_entries(const code_map &map)
{
	const code_map owned = owned_characters(map);
	std::vector<map_entry> entries;
	for (unsigned code = 0; code < CODES; code++)
		for (const char32_t c : owned[code])
			entries.push_back({c, static_cast<unsigned char>(code)});
	std::ranges::sort(entries, {}, &map_entry::character);
	return entries;
}

}  // namespace

int main(int argc, char **argv)
{
	const c_options options = parse_options(argc, argv);
	const code_map map = chosen_code_map(options.charset, options.map);
	const device_container device = open_device_container(options.path);
	c_fonts c{options.ident, device.bytes, {}, map_entries(map)};
	zf_font f;
	for (unsigned i = 0; zf_font_at(&device.fonts, i, &f); i++)
		c.fonts.push_back(summary_of(f));
	if (options.header)
		write_header(c);
	else
		write_source(c);
	finish_stdout();
	return EXIT_SUCCESS;
}
