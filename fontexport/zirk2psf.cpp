// zirk2psf [OPTIONS] [FILE]: one font of a zirk container as a console
// font for the Linux console.
#include "writers.h"

#include "output.h"

#include <cstdlib>

int main(int argc, char **argv)
{
	const export_options options = parse_export_options(argc, argv);
	claim_binary_output("a console font");
	const code_map labels = export_labels(options);
	const chosen_font chosen = read_chosen_font(options);
	const written_font psf = psf_font(chosen, labels);
	write_font(psf.bytes, psf.summary);
	return EXIT_SUCCESS;
}
