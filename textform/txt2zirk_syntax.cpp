// txt2zirk's command line: its help and its options.
#include "../toolkit/command_line.h"

namespace {

constexpr std::string_view HELP = "Usage: txt2zirk [-h|--help] [--version] [FILE]\n"
				  "Read the zirk text form from FILE, check all of it, and write the font\n"
				  "container it describes to standard output, which must not be a terminal.\n"
				  "With no FILE, or when FILE is -, read standard input. zirk2txt writes\n"
				  "the text form.\n"
				  "\n"
				  "  -h, --help     show this help and exit\n"
				  "      --version  show the version and exit\n";

}  // namespace

const command_syntax program_syntax{"txt2zirk", HELP, {}, 1};
