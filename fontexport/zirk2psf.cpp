// zirk2psf [OPTIONS] [FILE]: one font of a zirk container as a console
// font for the Linux console.
#include "writers.h"

#include "output.h"

#include <cstdlib>

namespace {

constexpr export_program ZIRK2PSF{
	"zirk2psf",
	R"(Usage: zirk2psf [OPTIONS] [FILE] > FONT.psf
Write one font of the zirk container FILE as a PSF2 console font of 256
glyphs, glyph N for code N, with a Unicode table. A proportional font is
centred in cells as wide as its widest glyph.
)",
	"",
	false,
};

}  // namespace

int main(int argc, char **argv)
{
	const export_options options = parse_export_options(argc, argv, ZIRK2PSF);
	claim_binary_output("a console font");
	const code_map labels = export_labels(options);
	const chosen_font chosen = read_chosen_font(options);
	const written_font psf = psf_font(chosen, labels);
	write_font(psf.bytes, psf.summary);
	return EXIT_SUCCESS;
}
