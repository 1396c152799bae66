// zirk2c [OPTIONS] [FILE]
//
// The whole container is read and checked as the device will check it
// before the first byte is written: a container zirkfont refuses leaves
// standard output empty.
#include "c_output.h"
#include "options.h"

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

}  // namespace

int main(int argc, char **argv)
{
	const c_options options = parse_options(argc, argv);
	const device_map map = device_code_map(chosen_code_map(options.charset, options.map));
	const device_container device = open_device_container(options.path);
	c_fonts c{options.ident, device.bytes, {}, map.map()};
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
