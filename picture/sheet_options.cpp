#include "sheet_options.h"

static constexpr std::string_view HELP =
	"Usage: zirk2png [-s|--scale N] [-f|--font LIST] [-h|--help] [--version] [FILE]\n"
	"Draw every font of a zirk container as a PNG image on standard output.\n"
	"With no FILE, or when FILE is -, read standard input.\n"
	"\n"
	"  -s, --scale N    draw each pixel as N by N pixels (1 to 32, default 3);\n"
	"                   a picture too large for viewers is drawn smaller\n"
	"  -f, --font LIST  draw only these fonts, counting from 1: numbers and\n"
	"                   ranges such as 1,3-5; the option may be repeated\n"
	"  -h, --help       show this help and exit\n"
	"      --version    show the version and exit\n";

static constexpr option_syntax OPTIONS[] = {{"scale", 's', true}, {"font", 'f', true}};

const command_syntax program_syntax{"zirk2png", HELP, OPTIONS, 1};

sheet_options parse_options(int argc, char **argv)
{
	sheet_options options;
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [&](int key, const char *value) {
			if (key == 's')
				options.scale = number_value("--scale", value, 1, MAX_SCALE);
			else
				add_fonts(options.fonts, value);
		});
	if (!operands.empty())
		options.path = operands.front();
	return options;
}
