// zirk2psf [OPTIONS] [FILE]: one font of a zirk container as a console
// font for the Linux console.
#include "writers.h"

#include "messages.h"
#include "output.h"

#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view HELP = R"(Usage: zirk2psf [OPTIONS] [FILE] > FONT.psf
Write one font of the zirk container FILE as a PSF2 console font of 256
glyphs, glyph N for code N, with a Unicode table. A proportional font is
centred in cells as wide as its widest glyph. With no FILE, or when FILE is
-, read standard input. A summary goes to standard error.

  -f, --font N        the font to write, counting from 1 (needed when the
                      container holds more than one)
  -c, --charset NAME  what the codes mean, any one-byte charset iconv knows
                      (default ISO-8859-1)
  -m, --map FILE      what the codes mean, by a code map file over --charset
  -h, --help          show this help and exit
      --version       show the version and exit
)";

}  // namespace

int main(int argc, char **argv)
{
	const export_options options = parse_export_options(argc, argv, "zirk2psf", HELP, false);
	claim_binary_output("a console font");
	const code_map labels = export_labels(options);
	const chosen_font chosen = read_chosen_font(options);
	const written_font psf = psf_font(chosen, labels);
	write_stdout(psf.bytes);
	finish_stdout();
	note(psf.summary);
	return EXIT_SUCCESS;
}
