#include "options.h"

#include "names.h"

#include "../toolkit/command_line.h"
#include "../toolkit/messages.h"
#include "../toolkit/text.h"

namespace {

constexpr std::string_view HELP = R"(Usage: zirk2c [OPTIONS] [FILE] > FONTS.c
Write the zirk container FILE as C for firmware to compile in with
zirkfont: its bytes as IDENT, IDENT_size, and IDENT_map, the code of each
character. With no FILE, or when FILE is -, read standard input.

  -n, --name IDENT    name what is written IDENT (default: the file's name
                      without its folder and extension, or fonts)
      --header        write the matching header instead: declarations and
                      an enum of the fonts' indexes
  -c, --charset NAME  what the codes mean, any one-byte charset iconv knows
                      (default ISO-8859-1)
  -m, --map FILE      what the codes mean, by a code map file over --charset
  -h, --help          show this help and exit
      --version       show the version and exit
)";

enum option_key : int {
	NAME_KEY = 'n',
	CHARSET_KEY = 'c',
	MAP_KEY = 'm',
	HEADER_KEY = 256,
};

constexpr option_syntax OPTIONS[] = {
	{"name", NAME_KEY, true},
	{"header", HEADER_KEY, false},
	{"charset", CHARSET_KEY, true, option_value::charset},
	{"map", MAP_KEY, true, option_value::file},
};

}  // namespace

const command_syntax program_syntax{"zirk2c", HELP, OPTIONS, 1};

c_options parse_options(int argc, char **argv)
{
	c_options o;
	std::optional<std::string> name;
	const std::vector<std::string> operands =
		parse_command_line(argc, argv, program_syntax, [&](int key, const char *value) {
			switch (key) {
			case NAME_KEY: name = value; break;
			case HEADER_KEY: o.header = true; break;
			case CHARSET_KEY: o.charset = value; break;
			case MAP_KEY: o.map = value; break;
			default: break;
			}
		});
	if (!operands.empty())
		o.path = operands.front();
	if (o.map == "-" && o.path == "-")
		usage_error("standard input ('-') is named twice, and can be read once");
	if (name) {
		if (const std::string fault = name_fault(*name); !fault.empty())
			usage_error("--name '" + shown_text(*name) + "' " + fault);
		o.ident = *name;
	} else {
		o.ident = default_name(o.path);
	}
	return o;
}
