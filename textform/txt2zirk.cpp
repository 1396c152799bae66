// txt2zirk [FILE]: the zirk text form back into a container. The whole text
// is checked and the container built in memory before the first byte goes
// out, so a faulty text writes nothing.
#include "textform.h"

#include "../platform/platform.h"
#include "fatal.h"
#include "options.h"
#include "output.h"

#include <cerrno>
#include <cstring>
#include <getopt.h>

namespace {

const char *const PROGRAM = "txt2zirk";

const char *const HELP = "Usage: txt2zirk [-h|--help] [--version] [FILE]\n"
			 "Read the zirk text form from FILE, check all of it, and write the font\n"
			 "container it describes to standard output, which must not be a terminal.\n"
			 "With no FILE, or when FILE is -, read standard input. zirk2txt writes\n"
			 "the text form.\n"
			 "\n"
			 "  -h, --help     show this help and exit\n"
			 "      --version  show the version and exit\n";

zirk_container read_text(const std::string &path)
{
	if (path == "-") {
		set_binary_input();
		return parse_text(stdin, "<stdin>");
	}
	std::FILE *in = std::fopen(path.c_str(), "rb");
	if (in != nullptr) {
		zirk_container container = parse_text(in, path);
		// Only read from, so a failing close loses nothing.
		(void)std::fclose(in);
		return container;
	}
	fatal(path + ": error: cannot open: " + std::strerror(errno));
}

void write_container(const zirk_container &container)
{
	std::vector<unsigned char> out;
	append_container_header(out, static_cast<unsigned>(container.fonts.size()));
	for (const font_record &font : container.fonts) {
		append_record(out, font);
		write_stdout(out);
		out.clear();
	}
	write_stdout(out);
	write_stdout(container.trailing);
}

}  // namespace

int main(int argc, char **argv)
{
	static const option LONG_OPTIONS[] = {
		{"help", no_argument, nullptr, 'h'},
		{"version", no_argument, nullptr, 'V'},
		{nullptr, 0, nullptr, 0},
	};
	opterr = 0;
	for (int c; (c = getopt_long(argc, argv, "+h", LONG_OPTIONS, nullptr)) != -1;) {
		switch (c) {
		case 'h': show_help(HELP);
		case 'V': show_version(PROGRAM);
		default: unrecognized_option(PROGRAM, argv);
		}
	}
	if (argc - optind > 1)
		usage_error(PROGRAM, "more than one FILE");
	claim_binary_output("font data");
	write_container(read_text(optind < argc ? argv[optind] : "-"));
	finish_stdout();
	return 0;
}
