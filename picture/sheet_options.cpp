#include "sheet_options.h"

#include "sheet.h"

#include "../toolkit/messages.h"

static constexpr std::string_view HELP =
	"Usage: zirk2png [OPTIONS] [FILE]\n"
	"Draw every font of a zirk container as a PNG image on standard output,\n"
	"or a text in each font. With no FILE, or when FILE is -, read standard input.\n"
	"\n"
	"  -s, --scale N       draw each pixel as N by N pixels (1 to 32, default 3);\n"
	"                      a picture too large for viewers is drawn smaller\n"
	"  -f, --font LIST     draw only these fonts, counting from 1: numbers and\n"
	"                      ranges such as 1,3-5; the option may be repeated\n"
	"  -t, --text STRING   draw STRING, in UTF-8, in each font instead of the sheet\n"
	"  -w, --wrap WIDTH    wrap the text's lines at WIDTH font pixels\n"
	"  -c, --charset NAME  what the font's codes mean, for the text: any one-byte\n"
	"                      charset iconv knows (default ISO-8859-1)\n"
	"  -m, --map FILE      what the codes mean, by a code map file over --charset\n"
	"  -h, --help          show this help and exit\n"
	"      --version       show the version and exit\n";

static constexpr option_syntax OPTIONS[] = {
	{"scale", 's', true},
	{"font", 'f', true},
	{"text", 't', true},
	{"wrap", 'w', true},
	{"charset", 'c', true, option_value::charset},
	{"map", 'm', true, option_value::file},
};

const command_syntax program_syntax{"zirk2png", HELP, OPTIONS, 1};

sheet_options parse_options(int argc, char **argv)
{
	sheet_options o;
	bool codes_named = false;
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [&](int key, const char *value) {
			switch (key) {
			case 's': o.scale = number_value("--scale", value, 1, MAX_SCALE); break;
			case 'f': add_fonts(o.fonts, value); break;
			case 't': o.text = value; break;
			case 'w': o.wrap = number_value("--wrap", value, 1, MAX_SIDE); break;
			case 'c': o.charset = value, codes_named = true; break;
			case 'm': o.map = value, codes_named = true; break;
			default: break;
			}
		});
	if (!operands.empty())
		o.path = operands.front();
	if (o.text && o.text->empty())
		usage_error("--text '' is empty; give it the text to draw");
	if (!o.text && (o.wrap || codes_named))
		usage_error("--wrap, --charset and --map are for --text");
	if (o.map == "-" && o.path == "-")
		usage_error("standard input ('-') is named twice, and can be read once");
	return o;
}

void note_scale(const sheet_options &options, unsigned used)
{
	if (used < options.scale)
		note("the picture is drawn at scale " + std::to_string(used) + ", not " +
		     std::to_string(options.scale) + ": at " + std::to_string(options.scale) +
		     " it would pass 16384 pixels a side or 100 million in all");
}
