// zirk2bdf [OPTIONS] [FILE]: one font of a zirk container as a BDF font.
#include "writers.h"

#include <cstdlib>

int main(int argc, char **argv)
{
	const export_options options = parse_export_options(argc, argv);
	const code_map labels = export_labels(options);
	const chosen_font chosen = read_chosen_font(options);
	const written_font bdf = bdf_font(chosen, labels, options.descent);
	write_font(bdf.bytes, bdf.summary);
	return EXIT_SUCCESS;
}
