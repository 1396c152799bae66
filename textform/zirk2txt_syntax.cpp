// zirk2txt's command line: its help and its options.
#include "../toolkit/command_line.h"

namespace {

constexpr std::string_view HELP = "Usage: zirk2txt [-l] [-f LIST] [-c NAME] [-m FILE] [-h] [--version] [FILE]\n"
				  "Write the zirk font container FILE as text to standard output, or with\n"
				  "--list one line per font. With no FILE, or when FILE is -, read standard\n"
				  "input. txt2zirk turns the text back into the same bytes.\n"
				  "\n"
				  "  -l, --list          one line per font: number, name, spacing, codes,\n"
				  "                      height, stored and computed bitmap length, whether\n"
				  "                      korvane takes it\n"
				  "  -f, --font LIST     only these fonts, counting from 1: numbers and ranges\n"
				  "                      such as 1,3-5; the option may be repeated. The text is a\n"
				  "                      whole container of the fonts chosen, numbered from 1\n"
				  "  -c, --charset NAME  the character each glyph heading shows, by any one-byte\n"
				  "                      charset iconv knows (default ISO-8859-1)\n"
				  "  -m, --map FILE      the character each glyph heading shows, by a code map\n"
				  "                      file over --charset\n"
				  "  -h, --help          show this help and exit\n"
				  "      --version       show the version and exit\n";

constexpr option_syntax OPTIONS[] = {{"list", 'l', false},
                                     {"font", 'f', true},
                                     {"charset", 'c', true, option_value::charset},
                                     {"map", 'm', true, option_value::file}};

}  // namespace

const command_syntax program_syntax{"zirk2txt", HELP, OPTIONS, 1};
