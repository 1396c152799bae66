// zirk2bdf [OPTIONS] [FILE]: one font of a zirk container as a BDF font.
#include "writers.h"

#include <cstdlib>

namespace {

constexpr export_program ZIRK2BDF{
	"zirk2bdf",
	R"(Usage: zirk2bdf [OPTIONS] [FILE] > FONT.bdf
Write one font of the zirk container FILE as a BDF 2.1 font, its glyphs
named and encoded by Unicode character.
)",
	R"(      --descent N     rows below the baseline (default: a guess from the
                      digits and capital letters)
)",
	true,
};

}  // namespace

int main(int argc, char **argv)
{
	const export_options options = parse_export_options(argc, argv, ZIRK2BDF);
	const code_map labels = export_labels(options);
	const chosen_font chosen = read_chosen_font(options);
	const written_font bdf = bdf_font(chosen, labels, options.descent);
	write_font(bdf.bytes, bdf.summary);
	return EXIT_SUCCESS;
}
